"""Games against the console program: the same refusals, the same game
text, the same exact table and, for a seed, the same counts."""

import json
from fractions import Fraction
import re

import numpy as np
import pytest

import orvix


def test_a_game_refuses_with_the_console_texts(console):
    # Each refusal is the console's text for the command that fails; where
    # the pack set the limit, the module says which it was, and a number
    # refused by its own limits is named as given.
    cases = [
        (dict(decks=0), "decks 0", "decks=0"),
        (dict(decks=51), "decks 51", "decks=51"),
        (dict(players=0), "players 0", "players=0"),
        (dict(players=11), "players 11", "this pack deals at most 10"),
        (dict(hand_size=21), "handsize 21", "hand_size=21"),
        (dict(jokers=101), "jokers 101", "jokers=101"),
        (dict(wild="x"), "wild x", None),
        (dict(add="2z"), "add 2z", None),
        (dict(remove=["2", "2"]), "rem 2 2", None),
        (dict(board=20), "board 20", "board=20"),
        (dict(board=16), "board 16", "board=16"),
        (dict(use=6), "use 6", "use=6"),
        (dict(use="two"), "use two", "use='two'"),
        (dict(hold={6: "As"}), "hold 6 As", None),
        (dict(hold={0: "As"}), "hold 0 As", "seat=0"),
        (dict(hold={1: "As Ad Ac Ah Ks Kd"}), "hold 1 As Ad Ac Ah Ks Kd", None),
        (dict(hold={"board": "As"}), "hold board As", None),
        (dict(hold={1: ["As", "X"]}), "hold 1 As X", None),
        (dict(hold={2: "*"}), "hold 2 *", None),
    ]
    out = console([command for _, command, _ in cases] + ["hands 0", "hands 2147483648"])
    errors = [line[len("Error: "):] for line in out.splitlines() if line.startswith("Error: ")]
    limits = [limit for _, _, limit in cases] + ["deals=0", "deals=2147483648"]
    expected = [text[:-1] + " (%s)." % limit if limit else text for text, limit in zip(errors, limits)]
    mine = []
    for kwargs, _, _ in cases:
        with pytest.raises(ValueError) as refused:
            orvix.Game(**kwargs)
        mine.append(str(refused.value))
    for hands in (0, 2**31):
        with pytest.raises(ValueError) as refused:
            orvix.Game().simulate(hands)
        mine.append(str(refused.value))
    assert mine == expected
    # The limit is the pack's: 13 hearts deal one hand of 13, or three of 4.
    hearts = dict(remove="spades clubs diamonds")
    for kwargs, text in [
        (dict(hand_size=14, players=1), "Not enough cards to increase hand size and still deal hand"
                                        " (this pack deals hands of at most 13 cards)."),
        (dict(hand_size=4, players=4), "Too many players to deal complete hand (this pack deals at most 3)."),
    ]:
        with pytest.raises(ValueError) as refused:
            orvix.Game(**hearts, **kwargs)
        assert str(refused.value) == text
    # A number past every limit is refused by the nearer one and named in
    # full, whatever its size (the console reads digits past 32 bits as no number).
    for kwargs, text in [
        (dict(decks=10**30), "Maximum of 50 decks supported (decks=1000000000000000000000000000000)."),
        (dict(players=-2**40), "Minimum of 1 player required (players=-1099511627776)."),
        (dict(jokers=np.int64(2**40)), "Maximum of 100 jokers supported (jokers=1099511627776)."),
    ]:
        with pytest.raises(ValueError) as refused:
            orvix.Game(**kwargs)
        assert str(refused.value) == text


def test_the_pack_is_built_before_the_deal_is_checked():
    # Removing a whole suit first would fail against the default 5 x 5 deal
    # in the console; the game checks the deal against the finished pack.
    g = orvix.Game(players=2, hand_size=3, remove=["hearts", "spades", "clubs"])
    assert g.pack_size == 13
    with pytest.raises(ValueError):
        orvix.Game(players=5, hand_size=3, remove="hearts spades clubs")


def test_describe_is_the_game_command_text(console):
    g = orvix.Game(decks=2, players=6, hand_size=7, jokers=1, wild=["2", "Kh"], add="As", remove="3d")
    out = console(["decks 2", "players 6", "handsize 7", "jokers 1", "wild 2 Kh", "add As", "rem 3d", "game"])
    assert g.describe() in out
    assert g.describe().startswith("Poker with 2 decks, 1 joker, 6 players, hand size 7 cards.\n")
    assert g == orvix.Game(decks=2, players=6, hand_size=7, jokers=1, wild="twos kh", add=["as"], remove=["3D"])
    assert g != orvix.Game()


def test_a_game_shows_its_settings_and_is_rebuilt_from_them():
    g = orvix.Game(decks=2, players=3, hand_size=6, jokers=1, wild="2 Kh", add=["As", "3c", "As"], remove="4d 5h 4d",
                   board=4, use=3, hold={3: "2h *", "BOARD": ["as", "As"]})
    assert (g.decks, g.players, g.hand_size, g.jokers, g.pack_size) == (2, 3, 6, 1, 105)
    assert (g.wild, g.added, g.removed) == (("2d", "2s", "2c", "2h", "Kh"), ("3c", "As", "As"), ("4d", "4d", "5h"))
    assert (g.board, g.use, g.holds) == (4, 3, {3: "2h *", "board": "As As"})
    settings = dict(decks=g.decks, players=g.players, hand_size=g.hand_size, jokers=g.jokers, wild=g.wild,
                    add=g.added, remove=g.removed, board=g.board, use=g.use, hold=g.holds)
    assert orvix.Game(**settings) == g
    assert orvix.Game(**dict(settings, use="any")) != g
    assert orvix.Game().wild == orvix.Game().added == orvix.Game().removed == ()


def test_a_preset_is_the_console_game_and_arguments_override_it(console):
    out = console(["players 6", "preset Omaha", "game", "preset holdem", "handsize 3", "use 2", "game",
                   "preset Razz", "players 8", "preset stud"])
    assert orvix.Game(preset="OMAHA", players=6).describe() in out
    assert orvix.Game(preset="holdem", players=6, hand_size=3, use=2).describe() in out
    errors = [line[len("Error: "):] for line in out.splitlines() if line.startswith("Error: ")]
    mine = []
    for kwargs in (dict(preset="Razz"), dict(preset="stud", players=8)):
        with pytest.raises(ValueError) as refused:
            orvix.Game(**kwargs)
        mine.append(str(refused.value))
    assert mine == errors
    # The overrides and the preset are checked as one game, which a refusal names.
    assert orvix.Game(preset="stud", players=7, hand_size=6).hand_size == 6
    with pytest.raises(ValueError, match=r"^Not enough cards to deal preset stud \(hand_size=8\)\.$"):
        orvix.Game(preset="stud", players=7, hand_size=8)


def exact_rows(out):
    """Category counts of the exact command's first table."""
    counts = {}
    for name in orvix.CATEGORY_NAMES:
        m = re.search(r"^%s\s+(\d+)\s" % re.escape(name), out, re.M)
        counts[name] = int(m.group(1))
    return [counts[name] for name in orvix.CATEGORY_NAMES]


def test_exact_equals_the_exact_command(console):
    known = orvix.Game(players=1).exact()
    assert known.by_category == [1302540, 1098240, 123552, 54912, 10200, 5108, 3744, 624, 40, 0]
    assert known.total == 2598960 and sum(known.by_category) == known.total
    assert [sum(row) for row in known.by_rank] == known.by_category

    g = orvix.Game(decks=2, jokers=2, players=1, hand_size=6, wild="2")
    e = g.exact()
    out = console(["decks 2", "jokers 2", "players 1", "handsize 6", "wild 2", "exact"])
    assert e.by_category == exact_rows(out)
    assert all(isinstance(c, int) for c in e.by_category)


def test_exact_refuses_games_too_big_to_count():
    with pytest.raises(ValueError, match=r"^exact would evaluate \d+ hands"):
        orvix.Game(decks=50, players=1, hand_size=20).exact()


def deuces_game():
    return orvix.Game(players=6, hand_size=7, wild="2")


def test_seeded_simulation_equals_the_console_counts(console):
    hands = 20000
    for name in ("first", "second"):
        out = console(["players 6", "handsize 7", "wild 2", "hands %d" % hands, "seed 1234", "go",
                       "save %s.json" % name])
        assert "Error" not in out
    first = orvix.SimulationResult.from_json((console.work / "first.json").read_text())
    second = orvix.SimulationResult.from_json((console.work / "second.json").read_text())
    if first != second:
        pytest.xfail("the console's dealing does not follow the seed yet")
    mine = deuces_game().simulate(hands, seed=1234)
    assert mine.seed == 1234 == first.seed
    assert np.array_equal(mine.wins, first.wins) and np.array_equal(mine.losses, first.losses)
    assert mine.total_hands == hands * 6


def test_simulation_counts_every_hand_once():
    r = deuces_game().simulate(30000, seed=3)
    assert r.wins.shape == r.losses.shape == (10, 13) and r.wins.dtype == np.uint64
    assert r.total_hands == 30000 * 6 == int(r.wins.sum() + r.losses.sum())
    assert r.total_wins == int(r.wins.sum()) and list(r.category_wins) == list(r.wins.sum(axis=1))
    assert 30000 <= r.total_wins  # every deal has at least one winner
    assert r.runs[0]["deals"] == r.deals == 30000 == r.runs[0]["game"].deals
    assert deuces_game().simulate(hands=30000, seed=3) == r  # hands: the older name of deals


def test_json_round_trip_and_sums(console):
    g = deuces_game()
    a = g.simulate(5000, seed=11)
    b = g.simulate(deals=7000, seed=12, part=(1, 1))
    text = a.to_json()
    back = orvix.SimulationResult.from_json(text)
    assert back == a and back.to_json() == text and back.seed == 11
    assert json.loads(text)["runs"][0]["seed"] == 11
    total = a + b
    assert total.total_hands == a.total_hands + b.total_hands
    assert np.array_equal(total.wins, a.wins + b.wins)
    assert [run["seed"] for run in total.runs] == [11, 12] and total.seed is None
    # The console loads what the module saved, and counts the same hands.
    (console.work / "module.json").write_text(total.to_json())
    out = console(["players 6", "handsize 7", "wild 2", "load module.json", "save back.json"])
    assert "Error" not in out
    assert orvix.SimulationResult.from_json((console.work / "back.json").read_text()) == total
    with pytest.raises(ValueError, match="not a valid orvix save"):
        orvix.SimulationResult.from_json('{"format": "orvix"}')


def test_results_of_different_games_add_only_when_allowed():
    a = orvix.Game(players=2).simulate(100, seed=1)
    b = orvix.Game(players=3).simulate(100, seed=1)
    for refused in (lambda: a + b, lambda: b.add(a)):
        with pytest.raises(ValueError, match=r'^the results are of different games: "Poker with 1 deck, 0 jokers, '
                                             r'[23] players, .*allow_mixed=True'):
            refused()
    mixed = a.add(b, allow_mixed=True)
    assert (mixed.deals, mixed.total_hands) == (200, 500)
    assert [run["game"] for run in mixed.runs] == [a.game, b.game]


def test_simulate_refuses_like_the_run_commands():
    g = orvix.Game()
    for kwargs, text in [
        (dict(hands=0), None),
        (dict(hands=2**31), None),
        (dict(hands=10, seed=-1), "seed must be a number from 0 to 18446744073709551615, or random (seed=-1)."),
        (dict(hands=10, seed=2**64), "seed must be a number from 0 to 18446744073709551615, or random "
                                     "(seed=18446744073709551616)."),
        (dict(hands=10, seed=np.int64(-5)), "seed must be a number from 0 to 18446744073709551615, or random "
                                            "(seed=-5)."),
        (dict(hands=10, seed="ten"), "seed must be a number from 0 to 18446744073709551615, or random "
                                     "(seed='ten')."),
        (dict(hands=10, part=(3, 2)), "shard needs two numbers i and n with 1 <= i <= n (part=(3, 2))."),
        (dict(deals=10, part=(0, 2)), "shard needs two numbers i and n with 1 <= i <= n (part=(0, 2))."),
        (dict(deals=10, part=(2**70, 2**71)), "shard needs two numbers i and n with 1 <= i <= n "
                                              "(part=(1180591620717411303424, 2361183241434822606848))."),
        (dict(hands=-2**70), "Negative run lengths are not supported - use at least one hand "
                             "(hands=-1180591620717411303424)."),
    ]:
        with pytest.raises(ValueError) as refused:
            g.simulate(**kwargs)
        if text:
            assert str(refused.value) == text
    assert g.simulate(10, seed=2**64 - 1).seed == 2**64 - 1
    # A NumPy seed plays the run of the same int.
    assert g.simulate(10, seed=np.uint64(2**64 - 1)).wins.tolist() == g.simulate(10, seed=2**64 - 1).wins.tolist()
    assert g.simulate(10, seed="random").seed is not None


def seats_rows(out):
    """The rows of the last seats table printed: (seat, holds, wins, ties, losses, four percentages)."""
    block = out[out.rindex("SEAT "):].splitlines()[1:]
    rows = []
    for line in block:
        words = line.split()
        if not words or not words[0].isdigit():
            break
        rows.append((int(words[0]), " ".join(words[1:-7]), *map(int, words[-7:-4]), *map(float, words[-4:])))
    return rows


def test_a_seeded_game_with_a_board_and_holds_equals_the_console_run(console):
    holds = {1: "As Ad", 3: "* 9h", "board": "Kh 7c 2d"}
    g = orvix.Game(players=4, hand_size=4, jokers=1, wild="2", board=5, use=2, hold=holds)
    out = console(["players 4", "handsize 4", "jokers 1", "wild 2", "board 5", "use 2", "hold 1 As Ad",
                   "hold 3 * 9h", "hold board Kh 7c 2d", "hands 30000", "seed 77", "go", "seats",
                   "save omaha.json"])
    assert "Error" not in out
    mine = g.simulate(30000, seed=77)
    # Category counts and seat counts alike (== compares both).
    assert mine == orvix.SimulationResult.from_json((console.work / "omaha.json").read_text())
    seats = mine.seats
    assert seats.deals == 30000 and seats.by_winners.sum(axis=1).tolist() == [30000] * 4
    rows = seats_rows(out)
    assert [row[:5] for row in rows] == [
        (s + 1, holds.get(s + 1, "-"), seats.wins[s], seats.ties[s], seats.losses[s]) for s in range(4)]
    shown = np.array([row[7:] for row in rows])
    assert np.allclose(shown, np.column_stack([seats.equity, seats.margin]) * 100, rtol=0, atol=5.01e-5)
    # A game the use rule cannot value is refused by simulate as by go, and
    # exact refuses a board as the exact command does.
    out = console(["handsize 2", "board 3", "use 4", "go", "exact"])
    refusals = []
    for call in (lambda g: g.simulate(10), lambda g: g.exact()):
        with pytest.raises(ValueError) as refused:
            call(orvix.Game(hand_size=2, board=3, use=4))
        refusals.append("Error: %s" % refused.value)
    assert [line for line in out.splitlines() if line.startswith("Error: ")] == refusals


def test_equity_and_exact_with_holds_equal_the_console_commands(console):
    g = orvix.Game(players=2, hand_size=2, board=2, jokers=1, wild="2", remove=["hearts", "spades"],
                   hold={1: "Ad", 2: "2c", "board": "Kc"})
    e = g.equity()
    out = console(["players 2", "handsize 2", "board 2", "jokers 1", "wild 2", "rem hearts", "rem spades",
                   "hold 1 Ad", "hold 2 2c", "hold board Kc", "equity", "exact"])
    assert "Error" not in out
    assert e.deals == 24 * 23 * 22 == int(re.search(r"^Counting (\d+) deals\.$", out, re.M).group(1))
    block = out[out.index("SEAT "):].splitlines()[1:3]
    rows = [line.split() for line in block]
    assert [(e.wins[s], e.ties[s], e.losses[s]) for s in range(2)] == [tuple(map(int, r[2:5])) for r in rows]
    assert all(isinstance(f, Fraction) for f in e.equity) and sum(e.equity) == 1
    for s in range(2):
        assert sum(e.by_winners[s]) == e.deals
        assert e.equity[s] == Fraction(e.by_winners[s][1]) / e.deals + Fraction(e.by_winners[s][2], 2) / e.deals
        assert abs(float(e.equity[s]) * 100 - float(rows[s][7])) <= 5.01e-7
    # exact with held cards counts seat 1's hands; seat 2's Two is out of the pack.
    x = g.exact()
    assert x.total == 24 * 23 and x.by_category == exact_rows(out[out.index("HAND "):])
    with pytest.raises(ValueError, match=r"^equity would evaluate \d+ hands \(limit 10000000000\)"):
        orvix.Game(players=3, hand_size=2, board=5).equity()


def test_a_ranking_is_the_console_ranking_in_game_hand_and_refusals(console):
    order = ["5K", "SF", "4K", "FH", "FL", "ST", "2P", "3K", "1P", "HC"]
    hands = ["Kh Kd Kc 9h 9s 5h 2h Jh", "Ah 6d 7c 8s 9h", "Kh Kd 9h * 2c"]
    out = console(["preset shortdeck", "game"] + ["hand " + h for h in hands] +
                  ["ranking order " + " ".join(order)] + ["hand " + h for h in hands] +
                  ["ranking low"] + ["hand " + h for h in hands] +
                  ["ranking deuce"] + ["hand " + h for h in hands] +
                  ["ranking lowball", "ranking order 5K SF"])
    short = orvix.Game(preset="shortdeck")
    assert short.ranking == "shortdeck" and short.removed == tuple(r + s for r in "2345" for s in "dsch")
    assert short.describe() in out
    assert orvix.Game(ranking=order).ranking == order
    names = [orvix.CATEGORY_NAMES[c] for c in (9, 8, 7, 6, 5, 4, 2, 3, 1, 0)]
    assert orvix.Game(ranking=names) == orvix.Game(ranking=[c.lower() for c in order])
    assert orvix.Game(preset="shortdeck", ranking="Standard").ranking == "standard"
    assert [orvix.Game(ranking=name).ranking for name in ("LOW", "Deuce")] == ["low", "deuce"]
    lines = [line for line in out.splitlines() if ": " in line and not line.startswith(("Error", "Preset"))]
    mine = []
    for ranking in ("shortdeck", order, "low", "deuce"):
        for hand in hands:
            value, cards = orvix.best_five(hand, ranking=ranking)
            assert value == orvix.evaluate(hand, ranking=ranking)
            assert value == orvix.evaluate_many(orvix.codes([hand]), ranking=ranking)[0]
            mine.append("%s, %s: %s" % (orvix.category_name(value, ranking=ranking),
                                        orvix.RANK_NAMES[orvix.top_rank(value, ranking=ranking)], " ".join(cards)))
    assert mine == lines[-12:]
    errors = [line[len("Error: "):] for line in out.splitlines() if line.startswith("Error: ")]
    with pytest.raises(ValueError) as word:
        orvix.Game(ranking="lowball")
    with pytest.raises(ValueError) as codes:
        orvix.Game(ranking=order[:2])
    # The console's word refusal offers its frequency command; Python names what it takes.
    assert errors[0].startswith("ranking takes standard, shortdeck, low, deuce, frequency")
    assert str(word.value) == ('ranking takes "standard", "shortdeck", "low", "deuce" or a sequence'
                               " of ten categories (ranking='lowball').")
    with pytest.raises(ValueError, match="sequence of ten categories"):
        orvix.evaluate("As Ks", ranking="frequency")
    assert str(codes.value) == errors[1]
