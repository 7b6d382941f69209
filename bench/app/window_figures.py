#!/usr/bin/env python3
"""Figures of the real window (the notaro program on an X server) playing through a private
PulseAudio server with a null sink, the tool row's Play button clicked with xdotool:

- processor use of the whole process (every thread, from /proc) while idle, from the first
  second after the window appeared and from the first second after a Stop, over SECONDS;
- processor use while a score plays (10 s);
- Play click to the first sound at the sink (parec records the sink's monitor; the recording's
  position at a known instant maps the click into it), for the first Play and the later ones.

Each run starts the program afresh; the figures are medians over RUNS.
Usage: xvfb-run -a /usr/bin/python3 bench/app/window_figures.py build/bin/notaro [SECONDS] [RUNS]
"""
import array
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

RATE = 44100
HZ = os.sysconf('SC_CLK_TCK')
PLAY_X = 128  # the Play button's centre in the window (twips / 15 from the layout)
SCORE = '**n[a-b-c]\r\n*t[120]\r\n' + '4c 4d 4e 4f 4g 4a 4b 4c2\r\n' * 6


def thread_times(pid):
    """Nanoseconds each living thread has run, by thread id (with its name)."""
    times = {}
    for tid in os.listdir('/proc/%d/task' % pid):
        try:
            with open('/proc/%d/task/%s/schedstat' % (pid, tid)) as f:
                ns = int(f.read().split()[0])
            with open('/proc/%d/task/%s/comm' % (pid, tid)) as f:
                times[tid] = (f.read().strip(), ns)
        except OSError:
            pass
    return times


def ticks(pid):
    fields = open('/proc/%d/stat' % pid).read().rsplit(')', 1)[1].split()
    return int(fields[11]) + int(fields[12])


def cpu_percent(pid, seconds, name, busy):
    """The share of a core the process used over the next seconds: the run time of every thread
    (nanoseconds, from schedstat) where the same threads lived throughout, else the clock ticks
    of /proc/PID/stat, which count ended threads too. Threads that ran are noted in busy."""
    t0, a = ticks(pid), thread_times(pid)
    time.sleep(seconds)
    t1, b = ticks(pid), thread_times(pid)
    for tid, (comm, ns) in b.items():
        ran = ns - a.get(tid, (comm, 0))[1]
        if ran > 1e6:
            busy.append('%s: %s %.0f ms' % (name, comm, ran / 1e6))
    if a.keys() == b.keys():
        return 100.0 * sum(b[t][1] - a[t][1] for t in b) / 1e9 / seconds
    return 100.0 * (t1 - t0) / HZ / seconds


def wait_for(check, timeout=20.0):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        value = check()
        if value:
            return value
        time.sleep(0.05)
    sys.exit('gave up waiting for %s' % check.__name__)


def run(*cmd):
    return subprocess.run(cmd, capture_output=True, text=True).stdout


class Recording:
    """parec on the null sink's monitor, raw 16-bit mono."""

    def __init__(self, path):
        self.path = path
        self.proc = subprocess.Popen(
            ['parec', '-d', 'nul.monitor', '--raw', '--format=s16le', '--rate=%d' % RATE,
             '--channels=1', '--latency-msec=5'], stdout=open(path, 'wb'))
        wait_for(lambda: self.samples() > 0)

    def samples(self):
        return os.path.getsize(self.path) // 2

    def mark(self):
        """The instant a new block of the recording arrives, and the samples then held."""
        before = self.samples()
        while True:
            now = self.samples()
            if now != before:
                return time.monotonic(), now
            time.sleep(0.0005)

    def read(self):
        data = array.array('h')
        with open(self.path, 'rb') as f:
            data.frombytes(f.read(self.samples() * 2))
        return data

    def stop(self):
        self.proc.terminate()
        self.proc.wait()


def first_sound(samples, start):
    """The first sample from start on above the onset threshold."""
    for i in range(int(start), len(samples)):
        if abs(samples[i]) > 300:
            return i
    return None


def tool_row_y(win):
    """The tool row's centre, found by the green Play picture (as tests/app/window_session.sh);
    None before the window is painted."""
    shot = tempfile.mktemp(suffix='.png')
    subprocess.run(['import', '-window', win, shot], check=True)
    text = run('convert', shot, '-crop', '23x90+117+0', '+repage', 'txt:-')
    os.unlink(shot)
    rows = set()
    for line in text.splitlines()[1:]:
        xy, rgb = line.split(':', 1)
        r, g, b = (int(float(v)) for v in rgb.split('(')[1].split(')')[0].split(',')[:3])
        if g > r + 40 and g > b + 40:
            rows.add(int(xy.split(',')[1]))
    return (min(rows) + max(rows)) // 2 if rows else None


def one_run(notaro, work, seconds, plays):
    score = os.path.join(work, 'tune.NTR')
    with open(score, 'w', newline='') as f:
        f.write(SCORE)
    env = dict(os.environ, QT_QPA_PLATFORM='xcb')
    for _ in range(3):  # a just-started X server now and then refuses a connection
        proc = subprocess.Popen([notaro, score], env=env, stderr=subprocess.DEVNULL)
        time.sleep(1)
        if proc.poll() is None:
            break
    pid = proc.pid

    def window():
        return run('xdotool', 'search', '--all', '--onlyvisible', '--pid', str(pid), '--name',
                   'tune.NTR').split()
    win = wait_for(window)[0]
    shown = time.monotonic()
    y = wait_for(lambda: tool_row_y(win))
    time.sleep(max(0.0, shown + 1 - time.monotonic()))
    busy = []
    figures = {'idle after the window appeared':
               cpu_percent(pid, seconds, 'idle after the window appeared', busy)}

    def click():
        subprocess.run(['xdotool', 'mousemove', '--window', win, str(PLAY_X), str(y), 'click',
                        '1'], check=True)

    rec = Recording(os.path.join(work, 'rec.raw'))
    starts = []
    for n in range(plays):
        t_mark, s_mark = rec.mark()
        t_click = time.monotonic()
        click()
        if n == plays - 1:
            time.sleep(1)
            figures['playing'] = cpu_percent(pid, 10, 'playing', busy)
        else:
            time.sleep(1.5)
        samples = rec.read()
        onset = first_sound(samples, s_mark + (t_click - t_mark) * RATE)
        if onset is not None:
            starts.append(1000 * (t_mark + (onset - s_mark) / RATE - t_click))
        click()  # Stop
        time.sleep(1)
    rec.stop()
    figures['idle after a Stop'] = cpu_percent(pid, seconds, 'idle after a Stop', busy)
    proc.kill()
    proc.wait()
    return figures, starts, busy


def main():
    notaro = sys.argv[1]
    seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 60
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 3
    plays = 6
    work = tempfile.mkdtemp()
    env = os.environ
    env['XDG_RUNTIME_DIR'] = os.path.join(work, 'run')
    env['XDG_STATE_HOME'] = os.path.join(work, 'state')
    env['XDG_CONFIG_HOME'] = os.path.join(work, 'config')
    os.mkdir(env['XDG_RUNTIME_DIR'], 0o700)
    server = subprocess.Popen(
        ['pulseaudio', '-n', '--daemonize=no', '--exit-idle-time=-1',
         '--load=module-null-sink sink_name=nul', '--load=module-native-protocol-unix'],
        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        wait_for(lambda: os.path.exists(os.path.join(env['XDG_RUNTIME_DIR'], 'pulse/native')))
        per_figure, first, later = {}, [], []
        for r in range(runs):
            figures, starts, busy = one_run(notaro, work, seconds, plays)
            print('run %d: %s; Play to sound %s ms' % (
                r + 1, ', '.join('%s %.3f %%' % kv for kv in figures.items()),
                ' '.join('%.0f' % s for s in starts)), flush=True)
            print('  threads that ran over 1 ms: ' + '; '.join(busy), flush=True)
            for key, value in figures.items():
                per_figure.setdefault(key, []).append(value)
            first += starts[:1]
            later += starts[1:]
        for key, values in per_figure.items():
            print('%-32s median %.3f %% of a core (%d runs of %s s)' % (
                key, statistics.median(values), len(values),
                '10' if key == 'playing' else '%g' % seconds))
        for name, values in (('first Play to sound', first), ('later Play to sound', later)):
            if values:
                print('%-32s median %.0f ms, max %.0f ms (n=%d)' % (
                    name, statistics.median(values), max(values), len(values)))
    finally:
        server.terminate()
        server.wait()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == '__main__':
    main()
