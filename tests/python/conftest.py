"""Shared fixtures: the module under test, the console binary and the sources."""

import os
import pathlib
import subprocess

import pytest

SOURCE_DIR = pathlib.Path(os.environ.get("ORVIX_SOURCE_DIR", pathlib.Path(__file__).resolve().parents[2]))


@pytest.fixture(scope="session")
def source_dir():
    return SOURCE_DIR


@pytest.fixture(scope="session")
def console(tmp_path_factory):
    """Runs the real console program on a list of commands; returns its output."""
    binary = os.environ.get("ORVIX_BINARY")
    if not binary:
        pytest.skip("ORVIX_BINARY names no console binary")
    work = tmp_path_factory.mktemp("console")

    def run(commands):
        script = work / "commands.txt"
        script.write_text("\n".join(commands) + "\n")
        done = subprocess.run([binary, "/n", "/i", str(script)], cwd=work, capture_output=True,
                              text=True, timeout=600, check=True)
        assert done.stderr == ""
        return done.stdout

    run.work = work
    return run
