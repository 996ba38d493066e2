"""Ctrl-C stops a long call at once with KeyboardInterrupt, leaves no thread
behind and no stop pending for the next call."""

import os
import signal
import subprocess
import sys
import time

import pytest

# Each call takes far longer than the bound below (minutes, or a quarter of
# a minute for the exact and equity counts) on the one processor the child may use.
LONG_CALLS = [
    "orvix.Game().simulate(2**31 - 1, seed=1)",
    "orvix.Game(players=1, hand_size=10, wild='2').exact()",
    "orvix.Game(players=2, hand_size=2, board=5, hold={1: 'As Ad'}).equity()",
]

CHILD = """
import os, sys, orvix
os.sched_setaffinity(0, {{min(os.sched_getaffinity(0))}})
print("started", flush=True)
try:
    {call}
    print("finished")
except KeyboardInterrupt:
    print("interrupted", len(os.listdir("/proc/self/task")), orvix.Game().simulate(5000, seed=1).deals)
"""


@pytest.mark.skipif(not hasattr(os, "sched_setaffinity"), reason="needs Linux")
@pytest.mark.parametrize("call", LONG_CALLS)
def test_ctrl_c_interrupts_a_long_call(call):
    child = subprocess.Popen([sys.executable, "-c", CHILD.format(call=call)], stdout=subprocess.PIPE, text=True)
    try:
        assert child.stdout.readline() == "started\n"
        time.sleep(0.3)
        child.send_signal(signal.SIGINT)
        sent = time.monotonic()
        out, _ = child.communicate(timeout=60)
        ended = time.monotonic() - sent
    finally:
        child.kill()
    # One thread left (the interpreter's), and the next call plays in full.
    assert (out, child.returncode) == ("interrupted 1 5000\n", 0)
    assert ended < 5
