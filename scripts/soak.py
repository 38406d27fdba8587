#!/usr/bin/env python3
"""Soak run: the demo on an X display for a given time while this driver edits
its shader files and sends it input and faults, then checks that it survived.

The program runs in a scratch working directory with a copy of shaders/ and
with the GL probe preloaded (tests/soak/GlProbe.cpp), which counts live GL
objects and injects GL errors and unknown key codes on signals. In a loop that
is bounded in count and in time, the driver:

- breaks a shader file (valid variant, syntax error, missing uniform, empty
  file, binary garbage, a 10 MB file, removal of one or both files of a mesh),
  waits for the error lines, then puts the good file back (by rename as editors
  do, by rewriting it in place, or by creating it again) and waits until the
  log shows it read back;
- sends bursts of every bound key (never Escape), wheel steps, mouse-look drags
  and window resizes down to 1x1;
- now and then injects 60 GL errors or a key code no table knows, and waits for
  the lines each must produce.

At the end it puts every file back, samples once more and closes the program
with Escape. It fails (exit code 1) unless: the program ran to the end and
exited with 0; every log line is complete and well formed; every fault got its
lines and every good file after it was read back and accepted (no error line
on the mesh's channel after the read); resident memory and the live GL object
counts after the warm-up stayed flat. It prints a report with the figures.

Needs DISPLAY (scripts/with-display.sh provides one), xdotool and the probe.
"""

import argparse
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import time
from pathlib import Path

STAMP = r"\d{4}-\d\d-\d\d \d\d:\d\d:\d\d"
# Any channel the program creates: a name without spaces. The mesh channels
# below are the ones the driver edits files for, not a list of those allowed.
CHANNEL = r"[^\s>]+"
LINE = re.compile(STAMP + r" \(l:(dbg|inf|wrn|err|ftl)\) (" + CHANNEL + r") > .*")

UNIFORM = re.compile(rb"^\s*uniform\s+\w+\s+(\w+)\s*;", re.M)


def shader_pairs(folder):
    """Every NAME.vert under the shader folder with its NAME.frag, as the
    program names them, and the uniforms the pair declares (a mesh requires
    what its shaders declare: the shader-file checks hold them to that)."""
    pairs = []
    for vertex in sorted(Path(folder).glob("*.vert")):
        fragment = vertex.with_suffix(".frag")
        if fragment.exists():
            uniforms = [m.decode() for f in (vertex, fragment) for m in UNIFORM.findall(f.read_bytes())]
            pairs.append({"files": [f"shaders/{vertex.name}", f"shaders/{fragment.name}"],
                          "uniforms": uniforms})
    return pairs


BOUND_KEYS = ["w", "s", "a", "d", "q", "e", "t", "g", "h", "f", "y", "r", "z", "x", "c"]

FILE_LIMIT_BYTES = 1024 * 1024
ERRORS_PER_BURST = 60
ERROR_LINES_PER_POLL = 51
UNKNOWN_KEY_CODE = 999

# Resident memory may grow this much (MiB) after the warm-up by default: the
# in-memory log fills up to its ten thousand lines (about 1.5 MB) and the
# allocators keep some slack. A leak of a program or a file's text per reload
# exceeds it within minutes.
RSS_SLACK_MIB = 24


class Failure(Exception):
    pass


def run(args, seconds=5, check=False):
    """Runs a command with a hard time limit; returns its standard output."""
    try:
        done = subprocess.run(args, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                              timeout=seconds, check=check, text=True)
        return done.stdout.strip()
    except subprocess.TimeoutExpired:
        return ""


def xdotool(*args, seconds=5):
    return run(["xdotool", *[str(a) for a in args]], seconds=seconds)


class Log:
    """The program's log file, read as it grows. Read as Latin-1, so that any
    byte a compiler message may echo is one character and text offsets are
    file offsets."""

    def __init__(self, path):
        self.path = path

    def text(self):
        try:
            return self.path.read_bytes().decode("latin-1")
        except FileNotFoundError:
            return ""

    def size(self):
        try:
            return self.path.stat().st_size
        except FileNotFoundError:
            return 0

    def since(self, offset):
        try:
            with open(self.path, "rb") as f:
                f.seek(offset)
                return f.read().decode("latin-1")
        except FileNotFoundError:
            return ""


class Soak:
    def __init__(self, options):
        self.o = options
        self.rng = random.Random(options.seed)
        self.work = Path(options.work_dir).resolve()
        self.log = Log(self.work / "vexel.log")
        self.probe_out = self.work / "gl-objects.txt"
        self.failures = []
        self.good = {}  # file -> good bytes
        # channel -> {"files", "uniforms"}: each pair of shader files under the
        # channel of the mesh that reads them, as the log shows at start-up.
        self.meshes = {}
        self.accept_checks = []  # (channel, log offset after the read line, what)
        self.edits = []  # log offsets at which the driver changed a shader file
        self.figures = {
            "shader faults": {},
            "good files put back": 0,
            "valid variants": 0,
            "GL error bursts": 0,
            "unknown key codes": 0,
            "key bursts": 0,
            "wheel steps": 0,
            "mouse-look drags": 0,
            "resizes": 0,
        }
        self.samples = []  # (seconds since start, rss KiB, counts)
        self.process = None
        self.window = ""

    # -- bookkeeping ----------------------------------------------------------

    def fail(self, message):
        self.failures.append(message)
        print("FAIL: " + message, flush=True)

    def count(self, name, kind=None):
        if kind is None:
            self.figures[name] += 1
        else:
            self.figures[name][kind] = self.figures[name].get(kind, 0) + 1

    def alive(self):
        return self.process is not None and self.process.poll() is None

    def rss_kib(self):
        try:
            for line in Path(f"/proc/{self.process.pid}/status").read_text().splitlines():
                if line.startswith("VmRSS:"):
                    return int(line.split()[1])
        except (FileNotFoundError, ProcessLookupError):
            pass
        return -1

    def counts(self):
        try:
            text = self.probe_out.read_text()
        except FileNotFoundError:
            return {}
        return {k: int(v) for k, v in re.findall(r"(\w+)=(\d+)", text)}

    def sample(self):
        entry = (time.monotonic() - self.started, self.rss_kib(), self.counts())
        self.samples.append(entry)
        return entry

    def wait_for(self, what, condition, seconds=None):
        """Polls until condition() is true. A program that dies or misses the
        deadline ends the run: later steps would only pile up more waits."""
        deadline = time.monotonic() + (seconds or self.o.step_timeout)
        while True:
            if condition():
                return True
            if not self.alive():
                raise Failure(f"the program ended (code {self.process.returncode}) "
                              f"while waiting for {what}")
            if time.monotonic() >= deadline:
                raise Failure(f"no {what} within {seconds or self.o.step_timeout} s")
            time.sleep(0.05)

    def wait_for_log(self, what, pattern, offset, count=1, seconds=None):
        """Waits until `pattern` matches `count` times in the log after `offset`;
        returns the log offset just after the last match, or None."""
        regex = re.compile(pattern, re.M)
        found = []

        def seen():
            text = self.log.since(offset)
            found[:] = list(regex.finditer(text))
            return len(found) >= count

        if not self.wait_for(what, seen, seconds):
            return None
        return offset + found[count - 1].end()

    # -- shader files ---------------------------------------------------------

    def path(self, name):
        return self.work / name

    def write(self, name, data, method):
        self.edits.append(self.log.size())
        target = self.path(name)
        if method == "rename":
            temporary = target.with_name("." + target.name + ".swp")
            temporary.write_bytes(data)
            os.replace(temporary, target)
        elif method == "recreate":
            target.unlink(missing_ok=True)
            target.write_bytes(data)
        else:
            target.write_bytes(data)

    def faulty_content(self, name, kind, mesh):
        good = self.good[name]
        if kind == "syntax error":
            return good + b"\nvoid broken( {\n"
        if kind == "missing uniform":
            uniform = next(u for u in mesh["uniforms"] if re.search(rb"\b" + u.encode() + rb"\b", good))
            return re.sub(rb"\b" + uniform.encode() + rb"\b", uniform.encode() + b"_gone", good)
        if kind == "empty file":
            return b""
        if kind == "binary garbage":
            return bytes(self.rng.randrange(256) for _ in range(4096))
        if kind == "text garbage":
            return bytes(self.rng.randrange(1, 256) for _ in range(4096))
        if kind == "10 MB file":
            return good + b"\n//" + b"x" * (10 * 1024 * 1024) + b"\n"
        raise ValueError(kind)

    def expected_error(self, channel, name, kind, uniform=None):
        prefix = rf"^{STAMP} \(l:err\) {channel} > "
        quoted = re.escape(name)
        if kind == "10 MB file":
            return prefix + rf"file reloader > Cannot read file '{quoted}': it is larger than {FILE_LIMIT_BYTES} bytes\.$"
        if kind == "removed":
            return prefix + rf"file reloader > Cannot read file '{quoted}': No such file or directory\.$"
        if kind == "missing uniform":
            return prefix + rf"shader validator > Uniform '{re.escape(uniform)}' is not valid\.$"
        if kind in ("syntax error", "empty file"):
            return prefix + r"shader validator > .+$"
        return prefix + r".+$"  # garbage: the compiler's lines or the NUL-byte refusal

    def wait_read_back(self, channel, name, data, offset, seconds=None):
        """Waits for the reload of `name` with exactly this content's size."""
        pattern = (rf"^{STAMP} \(l:dbg\) {channel} > file reloader > Reloading file '{re.escape(name)}'\.\n"
                   rf"{STAMP} \(l:dbg\) {channel} > file reloader > {len(data)} bytes read\.$")
        return self.wait_for_log(f"read-back of {name} ({len(data)} bytes)", pattern, offset,
                                 seconds=seconds)

    def put_back(self, channel, names):
        end = None
        method = self.rng.choice(["rename", "in place", "recreate"])
        for name in names:
            offset = self.log.size()
            self.write(name, self.good[name], method)
            end = self.wait_read_back(channel, name, self.good[name], offset)
            self.count("good files put back")
        if end is not None:
            self.accept_checks.append((channel, end, f"{', '.join(names)} put back by {method}"))

    def shader_step(self):
        channel = self.rng.choice(list(self.meshes))
        mesh = self.meshes[channel]
        name = self.rng.choice(mesh["files"])
        kinds = ["valid variant", "syntax error", "empty file", "binary garbage",
                 "text garbage", "10 MB file", "removed", "both removed"]
        if any(re.search(rb"\b" + u.encode() + rb"\b", self.good[name]) for u in mesh["uniforms"]):
            kinds.append("missing uniform")
        kind = self.rng.choice(kinds)
        self.count("shader faults", kind)
        offset = self.log.size()

        if kind == "valid variant":
            self.count("valid variants")
            variant = self.good[name] + f"\n// soak edit {len(self.samples)}\n".encode()
            self.good[name] = variant
            self.write(name, variant, self.rng.choice(["rename", "in place"]))
            end = self.wait_read_back(channel, name, variant, offset)
            if end is not None:
                self.accept_checks.append((channel, end, f"valid variant of {name}"))
            return

        if kind in ("removed", "both removed"):
            names = mesh["files"] if kind == "both removed" else [name]
            for removed in names:
                self.edits.append(self.log.size())
                self.path(removed).unlink()
            for removed in names:
                self.wait_for_log(f"error lines for the removed {removed}",
                                  self.expected_error(channel, removed, "removed"), offset)
            self.put_back(channel, names)
            return

        content = self.faulty_content(name, kind, mesh)
        uniform = None
        if kind == "missing uniform":
            uniform = next(u for u in mesh["uniforms"]
                           if re.search(rb"\b" + u.encode() + rb"\b", self.good[name]))
        self.write(name, content, self.rng.choice(["rename", "in place"]))
        self.wait_for_log(f"error lines for {kind} in {name}",
                          self.expected_error(channel, name, kind, uniform), offset)
        self.put_back(channel, [name])

    # -- input ----------------------------------------------------------------

    def focus(self):
        deadline = time.monotonic() + 5
        while time.monotonic() < deadline:
            xdotool("windowfocus", self.window)
            if xdotool("getwindowfocus") == self.window:
                return True
            time.sleep(0.05)
        raise Failure("the window would not take the keyboard focus")

    def input_burst(self):
        size = self.rng.choice([(1024, 1024), (800, 600), (640, 900), (300, 200)])
        xdotool("windowsize", self.window, *size)
        self.count("resizes")
        self.focus()
        keys = BOUND_KEYS[:]
        self.rng.shuffle(keys)
        # Every bound key pressed, some held together, all released.
        args = []
        for key in keys:
            args += ["keydown", key, "sleep", f"{self.rng.uniform(0.0, 0.05):.3f}"]
            if self.rng.random() < 0.5:
                args += ["keyup", key]
        args += [arg for key in keys for arg in ("keyup", key)]
        xdotool(*args, seconds=10)
        self.count("key bursts")

        xdotool("mousemove", "--window", self.window, size[0] // 2, size[1] // 2)
        for _ in range(self.rng.randrange(1, 4)):
            xdotool("click", self.rng.choice([4, 5]))
            self.count("wheel steps")
        drag = ["mousedown", "1"]
        for _ in range(self.rng.randrange(2, 6)):
            drag += ["mousemove_relative", "--", str(self.rng.randrange(-40, 41)),
                     str(self.rng.randrange(-40, 41)), "sleep", "0.02"]
        drag += ["mouseup", "1"]
        xdotool(*drag, seconds=10)
        self.count("mouse-look drags")

        xdotool("windowsize", self.window, 1, 1)
        self.count("resizes")
        time.sleep(0.1)
        xdotool("windowsize", self.window, 1024, 1024)
        self.count("resizes")

    # -- injected faults ------------------------------------------------------

    def inject_gl_errors(self):
        offset = self.log.size()
        os.kill(self.process.pid, signal.SIGUSR1)
        self.count("GL error bursts")
        error = rf"^{STAMP} \(l:err\) renderer > OpenGL error InvalidOperation \(internal: 0x0502\) after '([^']+)' call\.$"
        bail = rf"^{STAMP} \(l:err\) renderer > Too many renderer errors caused by '([^']+)', bailing error code polling!$"
        end = self.wait_for_log("the bail line after 60 GL errors", bail, offset)
        if end is None:
            return
        # The 9 codes the bail left queued come out at the next poll.
        self.wait_for_log("the 8 GL errors left after the bail", error, end, count=8)
        lines = self.log.since(offset).split("\n")
        bail_at = next(i for i, line in enumerate(lines) if re.match(bail, line))
        call = re.match(bail, lines[bail_at]).group(1)
        burst = [re.match(error, line) for line in lines[max(0, bail_at - ERROR_LINES_PER_POLL - 1):bail_at]]
        exact = (len(burst) >= ERROR_LINES_PER_POLL
                 and all(m and m.group(1) == call for m in burst[-ERROR_LINES_PER_POLL:])
                 and (len(burst) == ERROR_LINES_PER_POLL or not burst[0]))
        if not exact:
            self.fail(f"the bail line after '{call}' did not follow exactly {ERROR_LINES_PER_POLL} "
                      f"error lines of that call")

    def inject_unknown_key(self):
        offset = self.log.size()
        os.kill(self.process.pid, signal.SIGUSR2)
        self.count("unknown key codes")
        line = (rf"^{STAMP} \(l:err\) renderer > Failed to translate keyCode and/or actionCode\. "
                rf"Inputs: keyCode = {UNKNOWN_KEY_CODE}, actionCode = 1\. Translations statuses: "
                r"keyCode = failed, actionCode = ok$")
        if self.wait_for_log("the translation error of an unknown key code", line, offset):
            time.sleep(0.2)
            if len(re.findall(line, self.log.since(offset), re.M)) != 1:
                self.fail("one unknown key code gave more than one translation error line")

    # -- the run --------------------------------------------------------------

    def start(self):
        shutil.rmtree(self.work, ignore_errors=True)
        (self.work / "shaders").mkdir(parents=True)
        for source in sorted(Path(self.o.shaders).iterdir()):
            shutil.copyfile(source, self.work / "shaders" / source.name)
        pairs = shader_pairs(self.work / "shaders")
        if not pairs:
            raise Failure(f"no pair of shader files in {self.o.shaders}")
        for mesh in pairs:
            for name in mesh["files"]:
                self.good[name] = self.path(name).read_bytes()

        env = dict(os.environ)
        env["LD_PRELOAD"] = str(Path(self.o.probe).resolve())
        env["OX_GL_PROBE_OUT"] = str(self.probe_out)
        # A sanitized build: the probe is preloaded ahead of the sanitizer's
        # runtime, Mesa's unloading defeats leak checking (the test suite
        # checks leaks in process), and a small quarantine keeps freed memory
        # from passing for growth.
        asan = env.get("ASAN_OPTIONS", "")
        env["ASAN_OPTIONS"] = (asan + ":" if asan else "") + \
            "verify_asan_link_order=0:detect_leaks=0:quarantine_size_mb=16"
        self.output = open(self.work / "vexel.out", "wb")
        self.process = subprocess.Popen([str(Path(self.o.vexel).resolve())], cwd=self.work, env=env,
                                        stdout=self.output, stderr=subprocess.STDOUT)
        self.started = time.monotonic()
        deadline = self.started + 30
        while not self.window:
            if not self.alive():
                raise Failure(f"the program ended at start with code {self.process.returncode}")
            if time.monotonic() >= deadline:
                raise Failure("no mapped window within 30 s")
            self.window = xdotool("search", "--onlyvisible", "--pid", self.process.pid).split("\n")[0]
            time.sleep(0.1)
        # The files are first read after the tunnel's 360 programs are built,
        # just before the first frame: with a cold shader cache that takes
        # tens of seconds, so only these waits allow for it. The run's own
        # clock starts once they are over.
        for mesh in pairs:
            # The first read of a pair names the channel of the mesh that owns it.
            pattern = re.compile(rf"^{STAMP} \(l:dbg\) ({CHANNEL}) > file reloader > "
                                 rf"Reloading file '{re.escape(mesh['files'][0])}'\.$", re.M)
            found = [None]

            def first_read():
                found[0] = pattern.search(self.log.text())
                return found[0] is not None

            self.wait_for(f"first read of {mesh['files'][0]}", first_read, self.o.start_timeout)
            self.meshes[found[0].group(1)] = mesh
        for channel, mesh in self.meshes.items():
            for name in mesh["files"]:
                self.wait_read_back(channel, name, self.good[name], 0, self.o.start_timeout)
        self.started = time.monotonic()

    def quiet_sample(self):
        """A sample with every file good and read back, a few frames later."""
        time.sleep(0.5)
        return self.sample()

    def loop(self):
        deadline = self.started + self.o.seconds - self.o.closing_reserve
        warm_until = self.started + self.o.warmup
        baseline = None
        steps = 0
        max_steps = self.o.seconds * 4
        while time.monotonic() < deadline and steps < max_steps:
            steps += 1
            self.shader_step()
            self.input_burst()
            if steps % 3 == 0:
                self.inject_gl_errors()
            if steps % 4 == 0:
                self.inject_unknown_key()
            entry = self.quiet_sample()
            if baseline is None and time.monotonic() >= warm_until:
                baseline = entry
        self.figures["steps"] = steps
        return baseline

    def close(self):
        offset = self.log.size()
        code = None
        # Escape is held until the program ends: keys are read once per frame,
        # and a tap shorter than a slow frame would go unseen. Another
        # program's window may take the focus meanwhile; a lost Escape is sent
        # again, three times at most.
        for _ in range(3):
            self.focus()
            xdotool("keydown", "Escape")
            try:
                code = self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                pass
            xdotool("keyup", "Escape")
            if code is not None:
                break
        if code is None:
            raise Failure("still running after Escape, three times")
        if code != 0:
            self.fail(f"exit code {code}, expected 0")
        if not re.search(r"renderer > Renderer deinitialized\.", self.log.since(offset)):
            self.fail("no 'Renderer deinitialized.' line after Escape")

    # -- checks after the run -------------------------------------------------

    def check_log(self):
        text = self.log.text()
        if text and not text.endswith("\n"):
            self.fail("the log's last line is not complete")
        bad = [line for line in text.split("\n")[:-1] if not LINE.fullmatch(line)]
        if bad:
            self.fail(f"{len(bad)} malformed log lines, the first: {bad[0][:200]!r}")
        # A good file is accepted when its rebuild, in the frame that read
        # it, logged no error on the mesh's channel: every rejection does.
        # The window ends where the driver changed a file next.
        for channel, offset, what in self.accept_checks:
            end = min((edit for edit in self.edits if edit >= offset), default=len(text))
            for line in text[offset:end].split("\n"):
                match = LINE.fullmatch(line)
                if match and match.group(2) == channel and match.group(1) == "err":
                    self.fail(f"{what}: not accepted: {line[:200]}")
                    break
        return text

    def check_flat(self, baseline, final):
        if baseline is None:
            self.fail("the run ended before the warm-up did")
            return
        _, rss0, counts0 = baseline
        _, rss1, counts1 = final
        peak = max(rss for when, rss, _ in self.samples if when >= baseline[0])
        if peak - rss0 > self.o.rss_slack_mib * 1024:
            self.fail(f"resident memory grew from {rss0} KiB to a peak of {peak} KiB after warm-up")
        kinds = ("programs", "shaders", "buffers", "vertexArrays")
        if not all(k in counts0 for k in kinds):
            self.fail(f"the GL probe reported no counts: {counts0}")
            return
        for when, _, counts in self.samples:
            if when >= baseline[0] and any(counts.get(k) != counts0[k] for k in kinds):
                self.fail(f"live GL objects changed after warm-up: {counts0} -> {counts} at {when:.0f} s")
                break

    def report(self, baseline, final, text, finished):
        lines = text.split("\n")
        counts1 = self.counts()
        reloads = sum("file reloader > Reloading file" in line for line in lines)
        figures = [
            f"duration: {finished - self.started:.0f} s (warm-up {self.o.warmup} s), "
            f"{self.figures.get('steps', 0)} steps, seed {self.o.seed}",
            f"frames: {counts1.get('frames', 0)}",
            f"reloads: {reloads} file reloads, {len(self.accept_checks)} good files read back and checked for acceptance",
            "shader faults: " + ", ".join(f"{k} {v}" for k, v in sorted(self.figures["shader faults"].items())),
            f"injected: {self.figures['GL error bursts']} bursts of {ERRORS_PER_BURST} GL errors "
            f"({counts1.get('injectedErrors', 0)} errors returned), "
            f"{self.figures['unknown key codes']} unknown key codes "
            f"({counts1.get('unknownKeys', 0)} delivered)",
            f"input: {self.figures['key bursts']} bursts of all {len(BOUND_KEYS)} bound keys, "
            f"{self.figures['wheel steps']} wheel steps, {self.figures['mouse-look drags']} mouse-look drags, "
            f"{self.figures['resizes']} resizes",
            f"log: {len(lines) - 1} lines, {len(text)} bytes",
        ]
        if baseline is not None and final is not None:
            kinds = ("programs", "shaders", "buffers", "vertexArrays")
            first, last = baseline[2], final[2]
            figures.append(f"resident memory: {baseline[1]} KiB after warm-up ({baseline[0]:.0f} s), "
                           f"{final[1]} KiB at the end, peak {max(s[1] for s in self.samples)} KiB")
            figures.append("live GL objects after warm-up: " + ", ".join(f"{k} {first.get(k)}" for k in kinds))
            figures.append("live GL objects at the end:    " + ", ".join(f"{k} {last.get(k)}" for k in kinds))
            figures.append(f"live GL objects after exit: " + ", ".join(f"{k} {counts1.get(k)}" for k in kinds))
        with open(self.work / "samples.txt", "w") as out:
            for when, rss, counts in self.samples:
                out.write(f"{when:.1f} {rss} " + " ".join(f"{k}={v}" for k, v in sorted(counts.items())) + "\n")
        report = "\n".join(figures)
        (self.work / "soak-report.txt").write_text(report + "\n")
        print(report, flush=True)

    def main(self):
        baseline = final = None
        text = ""
        try:
            self.start()
            baseline = self.loop()
            final = self.quiet_sample()
            self.close()
            text = self.check_log()
            self.check_flat(baseline, final)
        except Failure as failure:
            self.fail(str(failure))
        finally:
            if self.alive():
                self.process.kill()
                self.process.wait()
        self.report(baseline, final, text or self.log.text(), time.monotonic())
        if self.failures:
            print(f"soak FAILED: {len(self.failures)} problems (work directory {self.work})")
            return 1
        print("soak passed")
        return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--vexel", required=True, help="the program")
    parser.add_argument("--probe", required=True, help="the GL probe library to preload")
    parser.add_argument("--shaders", required=True, help="the repository's shaders/ folder")
    parser.add_argument("--work-dir", required=True, help="scratch working directory (emptied)")
    parser.add_argument("--seconds", type=int, default=600, help="length of the run")
    parser.add_argument("--warmup", type=int, help="seconds before the baseline sample")
    parser.add_argument("--step-timeout", type=float, default=15.0,
                        help="longest wait for the program's answer to one step")
    parser.add_argument("--start-timeout", type=float, default=150.0,
                        help="longest wait for the first frame (a cold shader cache builds "
                             "every program)")
    parser.add_argument("--rss-slack-mib", type=int, default=RSS_SLACK_MIB,
                        help="allowed growth of resident memory after the warm-up")
    parser.add_argument("--seed", type=int, default=int(time.time()))
    options = parser.parse_args()
    if options.warmup is None:
        options.warmup = min(60, max(10, options.seconds // 5))
    options.closing_reserve = 5
    if not os.environ.get("DISPLAY"):
        print("soak: no DISPLAY; run it through scripts/with-display.sh", file=sys.stderr)
        return 2
    return Soak(options).main()


if __name__ == "__main__":
    sys.exit(main())
