#include "platform/SmbThreads.h"

#include <dlfcn.h>
#include <pthread.h>

#include <cstdlib>
#include <mutex>
#include <new>

namespace velta {

namespace {

// The table libsmbclient's utility layer takes, in its order: three mutex
// functions, then four for thread-local storage (as the parameters of the
// header's smbc_thread_impl).
struct SmbThreadFunctions {
  int (*createMutex)(const char* name, void** lock, const char* location);
  void (*destroyMutex)(void* lock, const char* location);
  int (*lockMutex)(void* lock, int lockType, const char* location);
  int (*createTls)(const char* name, void** key, const char* location);
  void (*destroyTls)(void** key, const char* location);
  int (*setTls)(void* key, const void* value, const char* location);
  void* (*getTls)(void* key, const char* location);
};

constexpr int kLock = 1;
constexpr int kUnlock = 2;

int createMutex(const char*, void** lock, const char*) {
  auto* mutex = new (std::nothrow) pthread_mutex_t;
  if (!mutex || pthread_mutex_init(mutex, nullptr) != 0) {
    delete mutex;
    return -1;
  }
  *lock = mutex;
  return 0;
}

void destroyMutex(void* lock, const char*) {
  auto* mutex = static_cast<pthread_mutex_t*>(lock);
  pthread_mutex_destroy(mutex);
  delete mutex;
}

int lockMutex(void* lock, int lockType, const char*) {
  auto* mutex = static_cast<pthread_mutex_t*>(lock);
  if (lockType == kLock) return pthread_mutex_lock(mutex);
  if (lockType == kUnlock) return pthread_mutex_unlock(mutex);
  return -1;
}

// Keys are made once under a lock: two threads may ask for the same one first.
pthread_mutex_t keysLock = PTHREAD_MUTEX_INITIALIZER;

int createTls(const char*, void** key, const char*) {
  pthread_mutex_lock(&keysLock);
  int result = 0;
  if (!*key) {
    auto* k = new (std::nothrow) pthread_key_t;
    if (!k || pthread_key_create(k, nullptr) != 0) {
      delete k;
      result = -1;
    } else {
      *key = k;
    }
  }
  pthread_mutex_unlock(&keysLock);
  return result;
}

void destroyTls(void** key, const char*) {
  pthread_mutex_lock(&keysLock);
  if (auto* k = static_cast<pthread_key_t*>(*key)) {
    pthread_key_delete(*k);
    delete k;
    *key = nullptr;
  }
  pthread_mutex_unlock(&keysLock);
}

// The library asks for a value before it has made the key: nothing is there yet.
int setTls(void* key, const void* value, const char*) {
  return key ? pthread_setspecific(*static_cast<pthread_key_t*>(key), value) : -1;
}

void* getTls(void* key, const char*) {
  return key ? pthread_getspecific(*static_cast<pthread_key_t*>(key)) : nullptr;
}

const SmbThreadFunctions kPosixThreads = {createMutex, destroyMutex, lockMutex, createTls,
                                          destroyTls,  setTls,       getTls};

bool giveThreadFunctions() {
  using SetFunctions = int (*)(const SmbThreadFunctions*);
  // Loaded with libsmbclient itself, whose utility library exports it.
  const auto set = reinterpret_cast<SetFunctions>(dlsym(RTLD_DEFAULT, "smb_thread_set_functions"));
  return set && set(&kPosixThreads) == 0;
}

}  // namespace

bool smbThreadsReady() {
  static std::once_flag once;
  static bool ready = false;
  std::call_once(once, [] { ready = giveThreadFunctions(); });
  return ready;
}

}  // namespace velta
