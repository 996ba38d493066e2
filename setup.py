"""Builds the Python package orvix (python/orvix over the compiled module
orvix._core) through the project's CMake build.

    /usr/bin/python3 -m pip install --no-build-isolation --break-system-packages .

or, inside a virtual environment made with --system-site-packages,
    python -m pip install --no-build-isolation .

Nothing is downloaded: setuptools, pybind11 and NumPy come from the system.
"""

import os
import pathlib
import re
import subprocess
import sys

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

ROOT = pathlib.Path(__file__).resolve().parent


def project_version():
    """The version of project(orvix VERSION ...) in CMakeLists.txt: written once, there."""
    text = (ROOT / "CMakeLists.txt").read_text()
    return re.search(r"^project\(\s*orvix\s+VERSION\s+([0-9.]+)", text, re.M).group(1)


class CMakeExtension(Extension):
    def __init__(self, name):
        super().__init__(name, sources=[])


class CMakeBuild(build_ext):
    """Configures the project with only the module switched on and builds it."""

    def build_extension(self, ext):
        target = pathlib.Path(self.get_ext_fullpath(ext.name)).resolve()
        build_dir = pathlib.Path(self.build_temp).resolve() / "cmake"
        build_dir.mkdir(parents=True, exist_ok=True)
        subprocess.check_call([
            "cmake", "-S", str(ROOT), "-B", str(build_dir),
            "-DCMAKE_BUILD_TYPE=Release",
            "-DORVIX_PYTHON=ON", "-DORVIX_BUILD_TESTS=OFF", "-DORVIX_BUILD_BENCH=OFF",
            f"-DPython_EXECUTABLE={sys.executable}",
        ])
        jobs = os.environ.get("CMAKE_BUILD_PARALLEL_LEVEL", "2")
        subprocess.check_call(["cmake", "--build", str(build_dir), "--target", "orvix_python", "-j", jobs])
        built = next((build_dir / "python" / "orvix").glob("_core*.so"))
        target.parent.mkdir(parents=True, exist_ok=True)
        self.copy_file(str(built), str(target))


setup(
    name="orvix",
    version=project_version(),
    description="Poker hand evaluation with wild cards, exact tables and seeded simulation",
    packages=["orvix"],
    package_dir={"": "python"},
    package_data={"orvix": ["py.typed", "*.pyi"]},
    ext_modules=[CMakeExtension("orvix._core")],
    cmdclass={"build_ext": CMakeBuild},
    zip_safe=False,
    python_requires=">=3.8",
    install_requires=["numpy"],
)
