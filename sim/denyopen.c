/* Preloaded beside umockdev in tests: opening chosen device nodes for writing fails with
 * EACCES, as it does for a user without access to the logger (no udev rule: the node is
 * readable by everybody but writable only by root). The nodes are listed, one path a line,
 * in $UMOCKDEV_DIR/vrx-denied; SimBus::DenyAccess writes that file. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static int denied(const char* path) {
  if (!path || strncmp(path, "/dev/bus/usb/", 13) != 0) return 0;
  const char* dir = getenv("UMOCKDEV_DIR");
  if (!dir) return 0;
  char list[4096];
  snprintf(list, sizeof list, "%s/vrx-denied", dir);
  FILE* f = fopen(list, "r");
  if (!f) return 0;
  char line[512];
  int hit = 0;
  while (!hit && fgets(line, sizeof line, f)) {
    line[strcspn(line, "\n")] = 0;
    hit = strcmp(line, path) == 0;
  }
  fclose(f);
  return hit;
}

#define FORWARD(name)                                                        \
  int name(const char* path, int flags, ...) {                               \
    static int (*next)(const char*, int, ...);                               \
    if (!next) next = (int (*)(const char*, int, ...))dlsym(RTLD_NEXT, #name); \
    if ((flags & O_ACCMODE) != O_RDONLY && denied(path)) {                   \
      errno = EACCES;                                                        \
      return -1;                                                             \
    }                                                                        \
    mode_t mode = 0;                                                         \
    if (flags & (O_CREAT | O_TMPFILE)) {                                     \
      va_list ap;                                                            \
      va_start(ap, flags);                                                   \
      mode = va_arg(ap, mode_t);                                             \
      va_end(ap);                                                            \
    }                                                                        \
    return next(path, flags, mode);                                          \
  }

FORWARD(open)
FORWARD(open64)
