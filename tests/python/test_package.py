"""The package as a Python user meets it: the examples of its docstrings,
its type stubs under mypy, and where `cmake --install` puts it."""

import ast
import doctest
import inspect
import os
import pathlib
import subprocess
import sys
import textwrap

import numpy as np
import pytest

import orvix

PACKAGE_DIR = pathlib.Path(orvix.__file__).parent


def docstrings():
    """(name, docstring) of the package, every public name and every public member of its classes."""
    yield "orvix", orvix.__doc__
    for name in orvix.__all__:
        value = getattr(orvix, name)
        if callable(value):
            yield name, value.__doc__
        if inspect.isclass(value):
            for member, attribute in vars(value).items():
                if not member.startswith("_") and attribute.__doc__:
                    yield "%s.%s" % (name, member), attribute.__doc__


def test_docstring_examples_run_as_written():
    parser = doctest.DocTestParser()
    runner = doctest.DocTestRunner(optionflags=doctest.ELLIPSIS)
    shown = set()
    for name, text in docstrings():
        test = parser.get_doctest(text, {"orvix": orvix, "np": np}, name, None, 0)
        if test.examples:
            shown.add(name)
        runner.run(test)
    assert runner.failures == 0
    # Every public function and class shows its use.
    assert [name for name in orvix.__all__ if callable(getattr(orvix, name)) and name not in shown] == []


def run_mypy(tmp_path, source):
    (tmp_path / "use.py").write_text(textwrap.dedent(source))
    env = dict(os.environ, MYPYPATH="", PYTHONPATH=str(PACKAGE_DIR.parent))
    return subprocess.run([sys.executable, "-m", "mypy", "--strict", "--no-incremental",
                           "--cache-dir", str(tmp_path / "cache"), str(tmp_path / "use.py")],
                          capture_output=True, text=True, env=env, cwd=tmp_path)


def test_the_stubs_type_a_typical_use_under_mypy(tmp_path):
    pytest.importorskip("mypy")
    done = run_mypy(tmp_path, """\
        import numpy as np
        import numpy.typing as npt
        import orvix

        value: int = orvix.evaluate("As Ad 9c 9h 3s")
        best: tuple[int, list[str]] = orvix.best_five("As Ad * 9c 9h")
        values: npt.NDArray[np.uint32] = orvix.evaluate_many(orvix.codes(["As Ks", "2d *"]), threads=1)
        names = [orvix.CATEGORY_NAMES[c] for c in orvix.category(values)]
        rank: int = orvix.top_rank(value)
        game = orvix.Game(players=6, hand_size=7, wild=["2"], add="As")
        wild: tuple[str, ...] = game.wild
        result = game.simulate(deals=1000, seed=1, part=(1, 2)) + game.simulate(hands=10)
        mixed = result.add(orvix.Game().simulate(10), allow_mixed=True)
        wins: npt.NDArray[np.uint64] = mixed.wins
        total: int = game.exact().total + mixed.total_hands
        omaha = orvix.Game(players=6, hand_size=4, board=5, use=2, hold={1: "As Ad", "board": ["Kh"]})
        seats = omaha.simulate(100).seats
        equity: npt.NDArray[np.float64] = seats.equity if seats is not None else np.zeros(6)
        holds: dict[int | str, str] = omaha.holds
        stud = orvix.Game(preset="stud", players=4, hand_size=6)
        short = orvix.Game(ranking=["5K", "SF", "4K", "FL", "FH", "ST", "3K", "2P", "1P", "HC"])
        order: str | list[str] = short.ranking
        ranked: int = orvix.evaluate("As Ad 9c 9h 3s", ranking="shortdeck")
        name: str = orvix.category_name(ranked, ranking=order)
        """)
    assert done.returncode == 0, done.stdout
    # The stubs are what mypy reads: a wrong use is an error, not Any.
    done = run_mypy(tmp_path, """\
        import orvix
        orvix.evaluate(5)
        text: int = orvix.card_text(0)
        orvix.Game().simulate(deals="10")
        orvix.Game(hold={1.5: "As"})
        orvix.Game().simulate(10).seats.wins
        orvix.Game(preset=2)
        orvix.Game(ranking=5)
        """)
    assert done.returncode == 1
    assert [line.split(": error: ")[0] for line in done.stdout.splitlines() if ": error: " in line] == \
        ["use.py:%d" % line for line in (2, 3, 4, 5, 6, 7, 8)]


def stub_names(body):
    return {node.target.id if isinstance(node, ast.AnnAssign) else node.name
            for node in body if isinstance(node, (ast.AnnAssign, ast.FunctionDef, ast.ClassDef))}


def test_the_stubs_name_what_the_module_holds():
    # Every public name of the module and of its classes, and no other.
    stub = ast.parse((PACKAGE_DIR / "_core.pyi").read_text())
    core = orvix._core

    def public(names):
        return {name for name in names if not name.startswith("_")}

    assert public(stub_names(stub.body)) == public(vars(core)) == public(orvix.__all__)
    for node in stub.body:
        if isinstance(node, ast.ClassDef):
            runtime = getattr(core, node.name)
            assert public(stub_names(node.body)) == public(vars(runtime)), node.name
            assert all(hasattr(runtime, name) for name in stub_names(node.body))


def test_install_puts_the_package_under_the_prefix(tmp_path):
    build = os.environ.get("ORVIX_BUILD_DIR")
    if not build:
        pytest.skip("ORVIX_BUILD_DIR names no build")
    prefix = tmp_path / "prefix"
    subprocess.run([os.environ.get("ORVIX_CMAKE", "cmake"), "--install", build, "--prefix", str(prefix),
                    "--component", "python"], check=True, capture_output=True)
    files = sorted(str(p.relative_to(prefix)) for p in prefix.rglob("*") if p.is_file())
    site = "lib/python%d.%d/site-packages" % sys.version_info[:2]
    assert [f for f in files if not f.endswith(".so")] == \
        [site + "/orvix/" + name for name in ("__init__.py", "_core.pyi", "py.typed")]
    done = subprocess.run([sys.executable, "-c", "import orvix; print(orvix.__file__, orvix.evaluate('As Kd'))"],
                          env=dict(os.environ, PYTHONPATH=str(prefix / site)), capture_output=True, text=True,
                          check=True, cwd=tmp_path)
    assert done.stdout == "%s %d\n" % (prefix / site / "orvix" / "__init__.py", orvix.evaluate("As Kd"))
