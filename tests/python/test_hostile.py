"""Hostile input: wrong types, bad card text, wrong shapes, bad codes and
huge sizes end in a clear exception, never a crash, and nothing is left
half done."""

import numpy as np
import pytest

import orvix


@pytest.mark.parametrize("hand, error, text", [
    ("As Zz", ValueError, 'unknown card "Zz"'),
    ("", ValueError, "no cards"),
    ("   \t\n", ValueError, "no cards"),
    (" ".join(["As"] * 21), ValueError, "more than 20 cards"),
    (["As", "Kd", "Q"], ValueError, 'unknown card "Q"'),
    (["As", " Kd"], ValueError, 'unknown card " Kd"'),
    ("As\x00 Kd", ValueError, "unknown card"),
    ("Äs Kd", ValueError, "unknown card"),
    ("A" * 10**6, ValueError, "unknown card"),
    (["As", None], TypeError, "not NoneType"),
    (["As", 1.5], TypeError, "not float"),
    ([0x120C1000, 7], ValueError, "7 is not a card code"),
    ([0x120C1000, -1], ValueError, "is not a card code"),
    ([2**70], ValueError, "1180591620717411303424 is not a card code"),
    (b"As Kd", TypeError, "not bytes"),
    (42, TypeError, "not int"),
    (None, TypeError, "not NoneType"),
])
def test_bad_hands_are_refused(hand, error, text):
    with pytest.raises(error, match=None) as refused:
        orvix.evaluate(hand)
    assert text in str(refused.value)


def test_bad_codes_and_values():
    for call in (orvix.codes, ):
        with pytest.raises(TypeError):
            call(3)
        with pytest.raises(ValueError, match='unknown card "x"'):
            call("As x")
        with pytest.raises(ValueError, match="hand 1 has 1 cards, hand 0 has 2"):
            call([["As", "Kd"], ["2c"]])
    for value in (-1, 2**32, 0xA0000000, 0xF0000000, -2**70):
        with pytest.raises(ValueError, match="^%d is not a hand value$" % value):
            orvix.category(value)
        with pytest.raises(ValueError):
            orvix.category_name(value)
    with pytest.raises(ValueError):
        orvix.top_rank(0x500D0000)  # a Flush whose best card is no rank
    with pytest.raises(TypeError):
        orvix.category("0x1")
    with pytest.raises(TypeError):
        orvix.top_rank(True)
    with pytest.raises(ValueError):
        orvix.card_text(0x120C1001)
    for decode in (orvix.category, orvix.top_rank):
        good = orvix.evaluate("As Kd")
        for values, error, text in [
            (np.array([good, 0xA0000000]), ValueError, "values[1] = 2684354560 is not a hand value"),
            (np.array([[good], [-1]]), ValueError, "hand values are 32-bit words"),
            (np.array([1.0]), TypeError, "takes integer hand values, not an array of dtype float64"),
            (["As"], TypeError, "dtype <U2"),
        ]:
            with pytest.raises(error) as refused:
                decode(values)
            assert text in str(refused.value)
    with pytest.raises(ValueError, match=r"values\[0\] = 1343029248 is not a hand value"):
        orvix.top_rank(np.array([0x500D0000]))


def hands(n=4, k=7):
    return orvix.codes([["As", "Kd", "Qc", "Jh", "9s", "2d", "*"]] * n)[:, :k]


@pytest.mark.parametrize("cards, error, text", [
    (np.zeros(7, dtype=np.uint32), ValueError, "shape (n, k)"),
    (np.zeros((2, 3, 7), dtype=np.uint32), ValueError, "not (2, 3, 7)"),
    (np.zeros((3, 0), dtype=np.uint32), ValueError, "1 to 20 cards, not 0"),
    (np.zeros((3, 21), dtype=np.uint32), ValueError, "1 to 20 cards, not 21"),
    (np.zeros((3, 7), dtype=np.float64), TypeError, "dtype float64"),
    (np.array([["As"] * 7]), TypeError, "orvix.codes()"),
    ("As Kd", TypeError, "orvix.codes()"),
    (np.full((3, 7), -1, dtype=np.int64), ValueError, "32-bit words"),
    (np.full((3, 7), 2**40, dtype=np.int64), ValueError, "32-bit words"),
    (np.zeros((3, 7), dtype=np.uint32), ValueError, "cards[0, 0] = 0x00000000 is not a card code"),
    ([[1, 2], [3]], ValueError, ""),
    (object(), TypeError, "dtype object"),
])
def test_bad_arrays_are_refused(cards, error, text):
    with pytest.raises(error) as refused:
        orvix.evaluate_many(cards)
    assert text in str(refused.value)


def test_one_bad_code_deep_in_a_large_array_is_found():
    big = np.repeat(hands(1), 200_000, axis=0)
    big[123_456, 5] = 0xDEADBEEF
    with pytest.raises(ValueError, match=r"cards\[123456, 5\] = 0xDEADBEEF is not a card code"):
        orvix.evaluate_many(big)
    with pytest.raises(ValueError):
        orvix.evaluate_many(hands(), threads=-1)
    with pytest.raises(TypeError):
        orvix.evaluate_many(hands(), threads=1.5)


def test_huge_sizes_fail_cleanly():
    # A view of shape (2**40, 7) over one hand: values would need 4 TB.
    one = hands(1)
    huge = np.lib.stride_tricks.as_strided(one, shape=(2**40, 7), strides=(0, 4))
    with pytest.raises((MemoryError, ValueError)):
        orvix.evaluate_many(huge)
    with pytest.raises(ValueError):
        orvix.Game(decks=10**100)
    with pytest.raises(ValueError):
        orvix.Game().simulate(10**100)


def test_wrong_argument_types_of_a_game():
    for kwargs in (dict(decks="2"), dict(players=2.0), dict(hand_size=None), dict(jokers=True),
                   dict(wild=2), dict(add=[2]), dict(remove=b"2")):
        with pytest.raises(TypeError):
            orvix.Game(**kwargs)
    for kwargs in (dict(hands="10"), dict(hands=10, seed=1.0), dict(hands=10, part=(1,)),
                   dict(hands=10, part="12"), dict(hands=10, part=(1, "2")), dict(),
                   dict(deals=10, hands=10)):
        with pytest.raises(TypeError):
            orvix.Game().simulate(**kwargs)
    for text in ("", "null", "[]", "{" * 100000, "\x00", '{"format": 1}'):
        with pytest.raises(ValueError):
            orvix.SimulationResult.from_json(text)
    with pytest.raises(TypeError):
        orvix.SimulationResult.from_json(None)


def test_only_card_codes_pass_the_array_check():
    naturals = [int(c) for c in orvix.codes([r + s for r in "23456789TJQKA" for s in "dsch"])]
    wilds = [(c & 0x300F0000) | (1 << 23) for c in naturals]
    valid = set(naturals) | set(wilds)
    assert orvix.JOKER in valid and len(valid) == 104
    # Every valid code, and every word one bit away from one, plus random words.
    rng = np.random.default_rng(5)
    words = set(valid) | {c ^ (1 << b) for c in valid for b in range(32)}
    words |= set(int(w) for w in rng.integers(0, 2**32, 3000, dtype=np.uint64))
    for w in sorted(words):
        hand = np.array([[w]], dtype=np.uint32)
        if w in valid:
            assert orvix.evaluate_many(hand)[0] == orvix.evaluate([w])
        else:
            with pytest.raises(ValueError, match="is not a card code"):
                orvix.evaluate_many(hand)
            with pytest.raises(ValueError, match="is not a card code"):
                orvix.evaluate([w])
