"""Frame cost, steady: each case of the benchmark's scene in a process of its
own (bench/FrameTool.cpp), the cases taken in turn, round after round, and the
median of the rounds; with --instructions also the instructions a frame takes,
counted by callgrind with llvmpipe on the calling thread, split into what the
rasteriser spends filling fragments and what the frame spends around it.

    python3 bench/frames.py FRAME_TOOL [--rounds N] [--frames N] [--instructions]"""

import os
import statistics
import subprocess
import sys
import tempfile

CASES = [  # width, height, mirror set, mirrors, stencil bits
    (1024, 768, 0, 1, 8), (1024, 768, 7, 1, 8), (1024, 768, 7, 0, 8),
    (1920, 1080, 0, 1, 8), (1920, 1080, 7, 1, 8),
]
INSTRUCTION_CASES = CASES[:2]  # the goal: 24 wedges against 10
INSTRUCTION_FRAMES = 8
FRAMES = 200
WEDGES = {0: 10, 7: 24}


def label(case):
    width, height, mirror_set, mirrors, stencil = case
    return "%d x %d, %d wedges, mirrors %s%s" % (
        width, height, WEDGES[mirror_set], "on" if mirrors else "off",
        "" if stencil else ", no stencil")


def timed(tool, case, frames=FRAMES):
    output = subprocess.run([tool] + [str(v) for v in case] + [str(frames)], check=True,
                            stdout=subprocess.PIPE, text=True).stdout
    return float(output.strip())


def instructions(tool, case, frames):
    """Instructions a frame, counted over the measured frames of one run."""
    with tempfile.TemporaryDirectory() as work:
        out = os.path.join(work, "callgrind.out")
        subprocess.run(["valgrind", "--tool=callgrind", "--collect-atstart=no",
                        "--callgrind-out-file=" + out, tool] +
                       [str(v) for v in case] + [str(frames)], check=True,
                       env=dict(os.environ, LP_NUM_THREADS="0"),
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        with open(out) as data:
            totals = [line for line in data if line.startswith("totals:")]
    return int(totals[0].split()[1]) / frames


def fill_and_rest(tool, case):
    """A frame's instructions split into what grows with the pixels filled and
    what does not: the same frame at half the width and height (the same
    geometry, a quarter of the pixels) gives the part per pixel."""
    width, height = case[:2]
    whole = instructions(tool, case, INSTRUCTION_FRAMES)
    quarter = instructions(tool, (width // 2, height // 2) + case[2:], INSTRUCTION_FRAMES)
    fill = (whole - quarter) * 4.0 / 3.0
    return whole, fill, whole - fill


def main(arguments):
    tool = arguments[0]
    def option(name, default):
        return int(arguments[arguments.index(name) + 1]) if name in arguments else default
    rounds, frames = option("--rounds", 5), option("--frames", FRAMES)
    figures = {case: [] for case in CASES}
    for _ in range(rounds):
        for case in CASES:
            figures[case].append(timed(tool, case, frames))
    print("Frame cost, median of %d rounds, each case in its own process (ms a frame):" % rounds)
    for case in CASES:
        print("  %-40s %7.3f  (%.3f to %.3f)" % (label(case), statistics.median(figures[case]),
                                                min(figures[case]), max(figures[case])))
    if "--instructions" in arguments:
        print("Instructions a frame (callgrind, llvmpipe on one thread, %d frames after ten);"
              " fill: the part that grows with the pixels:" % INSTRUCTION_FRAMES)
        for case in INSTRUCTION_CASES:
            whole, fill, rest = fill_and_rest(tool, case)
            print("  %-40s %6.2f M: fill %5.2f M, around it %5.2f M" % (
                label(case), whole / 1e6, fill / 1e6, rest / 1e6))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
