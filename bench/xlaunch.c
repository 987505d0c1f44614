/* Starts a program on the X display and reports, as key=value lines:
 *   map_ms       time from just before the program's start until the X server
 *                maps its first top-level window (window: its id);
 *   map_cpu_ms   CPU time its threads had used by then;
 *   hwm_kb       peak resident memory (VmHWM) a settle time after the map;
 *   rss_kb       resident memory at that moment;
 * and, with --idle S, what the program used while left alone for S seconds:
 *   idle_cpu_ms      utime + stime of the whole process (clock ticks);
 *   idle_run_us      time on a CPU summed over its threads (schedstat, ns);
 *   idle_wakeups     voluntary context switches summed over its threads;
 *   idle_main_wakeups  voluntary context switches of the main thread.
 * The root window's SubstructureNotify events are selected before the
 * program starts, so no map can be missed. The program is ended at the end.
 *
 * Usage: averlin-xlaunch [--settle S] [--idle S] [--pointer X,Y] [--focus] -- PROGRAM [ARG...]
 * --pointer warps the pointer to X,Y inside the mapped window before the
 * settle time, and leaves it there; --focus gives the window the keyboard
 * focus then, as a window manager would. */

#define _GNU_SOURCE
#include <dirent.h>
#include <errno.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <xcb/xcb.h>

extern char** environ;

static double now_ms(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return (double)t.tv_sec * 1e3 + (double)t.tv_nsec / 1e6;
}

static void sleep_s(double seconds) {
  struct timespec t = {(time_t)seconds, (long)((seconds - (double)(time_t)seconds) * 1e9)};
  while (nanosleep(&t, &t) != 0 && errno == EINTR) {
  }
}

static _Noreturn void die(const char* what) {
  fprintf(stderr, "averlin-xlaunch: %s\n", what);
  exit(2);
}

/* The number after "key:" in a /proc status file; -1 when absent. */
static long status_field(const char* path, const char* key) {
  FILE* f = fopen(path, "r");
  if (!f) return -1;
  char line[256];
  long value = -1;
  const size_t n = strlen(key);
  while (fgets(line, sizeof line, f))
    if (strncmp(line, key, n) == 0 && line[n] == ':') {
      value = strtol(line + n + 1, NULL, 10);
      break;
    }
  fclose(f);
  return value;
}

/* utime + stime of the process, in clock ticks. */
static long long cpu_ticks(pid_t pid) {
  char path[64], buf[1024];
  snprintf(path, sizeof path, "/proc/%d/stat", (int)pid);
  FILE* f = fopen(path, "r");
  if (!f) return -1;
  const size_t len = fread(buf, 1, sizeof buf - 1, f);
  fclose(f);
  buf[len] = '\0';
  /* The command name may hold spaces: fields are counted after its ')'. */
  const char* p = strrchr(buf, ')');
  if (!p) return -1;
  unsigned long utime = 0, stime = 0;
  if (sscanf(p + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %lu %lu", &utime, &stime) != 2) return -1;
  return (long long)utime + (long long)stime;
}

struct ThreadTotals {
  long long run_ns;
  long long voluntary;
  int threads;
};

static struct ThreadTotals thread_totals(pid_t pid) {
  struct ThreadTotals t = {0, 0, 0};
  char dir[64], path[64 + 256 + 16];
  snprintf(dir, sizeof dir, "/proc/%d/task", (int)pid);
  DIR* d = opendir(dir);
  if (!d) return t;
  for (struct dirent* e; (e = readdir(d));) {
    if (e->d_name[0] == '.') continue;
    ++t.threads;
    snprintf(path, sizeof path, "%s/%s/status", dir, e->d_name);
    const long v = status_field(path, "voluntary_ctxt_switches");
    if (v > 0) t.voluntary += v;
    snprintf(path, sizeof path, "%s/%s/schedstat", dir, e->d_name);
    FILE* f = fopen(path, "r");
    long long ns = 0;
    if (f) {
      if (fscanf(f, "%lld", &ns) == 1) t.run_ns += ns;
      fclose(f);
    }
  }
  closedir(d);
  return t;
}

/* Whether the window's _NET_WM_PID names the process. */
static int window_of(xcb_connection_t* c, xcb_window_t w, pid_t pid) {
  xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, 11, "_NET_WM_PID"), NULL);
  if (!atom) return 0;
  xcb_get_property_reply_t* prop =
      xcb_get_property_reply(c, xcb_get_property(c, 0, w, atom->atom, XCB_ATOM_CARDINAL, 0, 1), NULL);
  free(atom);
  int ours = prop && xcb_get_property_value_length(prop) == 4 &&
             *(const uint32_t*)xcb_get_property_value(prop) == (uint32_t)pid;
  free(prop);
  return ours;
}

int main(int argc, char** argv) {
  double settle = 1.0, idle = 0.0;
  int pointer = 0, px = 0, py = 0, focus = 0, i = 1;
  for (; i < argc && strcmp(argv[i], "--") != 0; ++i) {
    if (strcmp(argv[i], "--settle") == 0 && i + 1 < argc)
      settle = atof(argv[++i]);
    else if (strcmp(argv[i], "--idle") == 0 && i + 1 < argc)
      idle = atof(argv[++i]);
    else if (strcmp(argv[i], "--pointer") == 0 && i + 1 < argc && sscanf(argv[++i], "%d,%d", &px, &py) == 2)
      pointer = 1;
    else if (strcmp(argv[i], "--focus") == 0)
      focus = 1;
    else
      die("usage: averlin-xlaunch [--settle S] [--idle S] [--pointer X,Y] [--focus] -- PROGRAM [ARG...]");
  }
  if (i + 1 >= argc) die("no program given");
  char** program = argv + i + 1;

  xcb_connection_t* c = xcb_connect(NULL, NULL);
  if (xcb_connection_has_error(c)) die("cannot open the display");
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
  const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  /* A checked request is a round trip: the selection is in force when it returns. */
  if (xcb_request_check(c, xcb_change_window_attributes_checked(c, root, XCB_CW_EVENT_MASK, &mask)))
    die("cannot watch the root window");

  const double start = now_ms();
  pid_t pid;
  if (posix_spawnp(&pid, program[0], NULL, NULL, program, environ) != 0) die("cannot start the program");

  double mapped = -1;
  xcb_window_t window = 0;
  struct pollfd pfd = {xcb_get_file_descriptor(c), POLLIN, 0};
  while (mapped < 0) {
    for (xcb_generic_event_t* e; (e = xcb_poll_for_event(c)); free(e)) {
      if ((e->response_type & 0x7f) != XCB_MAP_NOTIFY || mapped >= 0) continue;
      const double at = now_ms();
      const xcb_map_notify_event_t* m = (const xcb_map_notify_event_t*)e;
      if (!m->override_redirect && window_of(c, m->window, pid)) {
        mapped = at;
        window = m->window;
      }
    }
    if (xcb_connection_has_error(c)) die("lost the display");
    int status;
    if (mapped < 0 && waitpid(pid, &status, WNOHANG) == pid) die("the program ended before it showed a window");
    if (mapped < 0) poll(&pfd, 1, 50);
  }
  const struct ThreadTotals at_map = thread_totals(pid);
  printf("map_ms=%.2f\nmap_cpu_ms=%.2f\nwindow=0x%x\n", mapped - start, (double)at_map.run_ns / 1e6,
         (unsigned)window);

  if (pointer) xcb_warp_pointer(c, XCB_NONE, window, 0, 0, 0, 0, (int16_t)px, (int16_t)py);
  if (focus) xcb_set_input_focus(c, XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
  xcb_flush(c);
  sleep_s(settle);
  char status_path[64];
  snprintf(status_path, sizeof status_path, "/proc/%d/status", (int)pid);
  printf("hwm_kb=%ld\nrss_kb=%ld\n", status_field(status_path, "VmHWM"), status_field(status_path, "VmRSS"));

  if (idle > 0) {
    const long long ticks0 = cpu_ticks(pid);
    const long main0 = status_field(status_path, "voluntary_ctxt_switches");
    const struct ThreadTotals t0 = thread_totals(pid);
    sleep_s(idle);
    const long long ticks1 = cpu_ticks(pid);
    const long main1 = status_field(status_path, "voluntary_ctxt_switches");
    const struct ThreadTotals t1 = thread_totals(pid);
    const long tick = sysconf(_SC_CLK_TCK);
    printf("idle_s=%.1f\nthreads=%d\n", idle, t1.threads);
    printf("cpu_ticks_before=%lld\ncpu_ticks_after=%lld\n", ticks0, ticks1);
    printf("idle_cpu_ms=%lld\n", (ticks1 - ticks0) * 1000 / tick);
    printf("idle_run_us=%lld\n", (t1.run_ns - t0.run_ns) / 1000);
    printf("wakeups_before=%lld\nwakeups_after=%lld\n", t0.voluntary, t1.voluntary);
    printf("idle_wakeups=%lld\n", t1.voluntary - t0.voluntary);
    printf("idle_main_wakeups=%ld\n", main1 - main0);
  }
  fflush(stdout);

  int status = 0;
  const int alive = waitpid(pid, &status, WNOHANG) == 0;
  if (alive) {
    kill(pid, SIGTERM);
    waitpid(pid, &status, 0);
  }
  xcb_disconnect(c);
  if (!alive) die("the program ended by itself");
  /* Killed by the SIGTERM sent here is the normal end. */
  return WIFSIGNALED(status) && WTERMSIG(status) != SIGTERM ? 1 : 0;
}
