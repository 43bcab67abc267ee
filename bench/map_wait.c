/* Starts a program and prints how long it took until a top-level window with the given
 * title was mapped on the X display, then ends the program (SIGTERM to its process group).
 *   map_wait TITLE TIMEOUT_MS PROGRAM [ARGS...]
 * Prints the milliseconds from the start to the map event; exits 1 on a time-out. The map
 * event is watched on the root window, so nothing is polled and nothing is missed. */
#define _DEFAULT_SOURCE
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double NowMs(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

/* The title as GTK sets it (_NET_WM_NAME, UTF-8) or the plain WM_NAME. */
static int HasTitle(Display* d, Window w, const char* title) {
  const Atom names[2] = {XInternAtom(d, "_NET_WM_NAME", False), XA_WM_NAME};
  for (int i = 0; i < 2; ++i) {
    Atom type;
    int format;
    unsigned long n, after;
    unsigned char* value = NULL;
    if (XGetWindowProperty(d, w, names[i], 0, 256, False, AnyPropertyType, &type, &format, &n, &after, &value) ==
            Success &&
        value) {
      const int same = format == 8 && n == strlen(title) && memcmp(value, title, n) == 0;
      XFree(value);
      if (same) return 1;
    }
  }
  return 0;
}

int main(int argc, char** argv) {
  if (argc < 4) {
    fprintf(stderr, "usage: %s TITLE TIMEOUT_MS PROGRAM [ARGS...]\n", argv[0]);
    return 2;
  }
  const char* title = argv[1];
  const double timeout = atof(argv[2]);
  Display* d = XOpenDisplay(NULL);
  if (!d) {
    fprintf(stderr, "cannot open the display\n");
    return 2;
  }
  XSelectInput(d, DefaultRootWindow(d), SubstructureNotifyMask);
  XSync(d, False);

  const double t0 = NowMs();
  const pid_t child = fork();
  if (child == 0) {
    setpgid(0, 0);
    execvp(argv[3], argv + 3);
    _exit(127);
  }
  setpgid(child, child);

  double mapped = -1;
  while (mapped < 0) {
    while (XPending(d)) {
      XEvent e;
      XNextEvent(d, &e);
      if (e.type == MapNotify && HasTitle(d, e.xmap.window, title)) mapped = NowMs() - t0;
    }
    if (mapped >= 0) break;
    const double left = timeout - (NowMs() - t0);
    if (left <= 0) break;
    struct pollfd p = {ConnectionNumber(d), POLLIN, 0};
    poll(&p, 1, left < 50 ? (int)left + 1 : 50);
    if (waitpid(child, NULL, WNOHANG) == child) break; /* ended before mapping */
  }
  kill(-child, SIGTERM);
  for (int i = 0; i < 100 && waitpid(child, NULL, WNOHANG) == 0; ++i) usleep(50000);
  if (waitpid(child, NULL, WNOHANG) == 0) {
    kill(-child, SIGKILL);
    waitpid(child, NULL, 0);
  }
  XCloseDisplay(d);
  if (mapped < 0) {
    fprintf(stderr, "no window \"%s\" mapped\n", title);
    return 1;
  }
  printf("%.1f\n", mapped);
  return 0;
}
