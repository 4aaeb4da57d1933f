// What the inquiry control library offers its hosts: the classes marked here,
// and nothing else (its copy of the core stays inside it).
#pragma once

#include <QtGlobal>

#if defined(VELTAIQ_LIBRARY)
#define VELTAIQ_EXPORT Q_DECL_EXPORT
#else
#define VELTAIQ_EXPORT Q_DECL_IMPORT
#endif
