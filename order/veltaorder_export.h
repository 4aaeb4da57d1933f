// What the order control library offers its hosts: the classes marked here,
// and nothing else (its copy of the core stays inside it).
#pragma once

#include <QtGlobal>

#if defined(VELTAORDER_LIBRARY)
#define VELTAORDER_EXPORT Q_DECL_EXPORT
#else
#define VELTAORDER_EXPORT Q_DECL_IMPORT
#endif
