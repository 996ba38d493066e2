"""Hand values: the evaluator's known-value corpus, the definition of a best
hand (best five of many, every card for a wild card), and evaluate_many
against evaluate."""

import itertools
import random
import re

import numpy as np
import pytest

import orvix

ALL_CARDS = [r + s for r in "23456789TJQKA" for s in "dsch"]


def known_pairs(source_dir):
    """The hands and answer lines of the orvix-eval known corpus."""
    hands = (source_dir / "tests/eval/tool/known.in").read_text().splitlines()
    answers = (source_dir / "tests/eval/tool/known.out").read_text().splitlines()
    assert len(hands) == len(answers) > 50
    return list(zip(hands, answers))


def test_known_corpus_matches_orvix_eval_answers(source_dir):
    for hand, answer in known_pairs(source_dir):
        if answer.startswith("error: "):
            # The same refusal, in the module's words ("unknown card" and so on).
            with pytest.raises(ValueError) as refused:
                orvix.evaluate(hand)
            assert answer[len("error: "):] in str(refused.value), hand
            continue
        v = orvix.evaluate(hand)
        line = "0x%08X %s %s" % (v, orvix.category_name(v), orvix.RANK_NAMES[orvix.top_rank(v)])
        assert line == answer, hand
        assert orvix.CATEGORY_NAMES[orvix.category(v)] == orvix.category_name(v)


def test_known_values_of_the_cpp_tables(source_dir):
    text = (source_dir / "tests/eval/known_hands.h").read_text()
    pairs = re.findall(r'\{"([^"]+)", (0x[0-9A-Fa-f]{8})\}', text)
    assert len(pairs) > 40
    for hand, value in pairs:
        assert orvix.evaluate(hand) == int(value, 16), hand
        assert orvix.evaluate(hand.split()) == int(value, 16), hand


def test_text_lists_and_codes_agree():
    hand = "As Ad 9c 9h 3s"
    codes = orvix.codes(hand)
    assert codes.dtype == np.uint32 and codes.shape == (5,)
    assert [orvix.card_text(c) for c in codes] == hand.split()
    assert orvix.evaluate(codes) == orvix.evaluate(hand) == orvix.evaluate(hand.lower().split())
    assert orvix.codes(["As", "*"]).tolist() == [0x120C1000, orvix.JOKER]
    assert orvix.codes(["As Ks", "2d *"]).shape == (2, 2)
    assert orvix.codes([["As", "Ks"], ["2d", "*"]]).tolist() == orvix.codes(["As Ks", "2d *"]).tolist()


def best_of_fives(cards):
    return max(orvix.evaluate(list(five)) for five in itertools.combinations(cards, 5))


def test_bigger_hands_are_their_best_five():
    rng = random.Random(14)
    for _ in range(300):
        size = rng.randint(6, 8)
        # Two decks: repeated cards and flushes with pairs occur.
        cards = [rng.choice(ALL_CARDS) for _ in range(size - 1)] + [rng.choice(ALL_CARDS + ["*"])]
        assert orvix.evaluate(cards) == best_of_fives(cards), cards


def test_a_wild_card_is_the_best_card_it_could_be():
    rng = random.Random(7)
    for _ in range(150):
        size = rng.randint(1, 6)
        cards = [rng.choice(ALL_CARDS) for _ in range(size - 1)]
        best = max(orvix.evaluate(cards + [c]) for c in ALL_CARDS)
        assert orvix.evaluate(cards + ["*"]) == best, cards


def random_codes(rng, n, k):
    """n hands of k cards from two decks, jokers and wild cards of a few kinds."""
    naturals = orvix.codes(ALL_CARDS)
    # A wild card keeps its rank and suit index, and has the wild flag instead of its bits.
    wilds = (naturals[::7] & np.uint32(0x300F0000)) | np.uint32(1 << 23)
    choices = np.concatenate([naturals, naturals, wilds, [orvix.JOKER]]).astype(np.uint32)
    return choices[rng.integers(0, len(choices), size=(n, k))]


@pytest.mark.parametrize("k", range(1, 21))
def test_evaluate_many_equals_evaluate(k):
    rng = np.random.default_rng(k)
    hands = random_codes(rng, 400, k)
    values = orvix.evaluate_many(hands)
    assert values.dtype == np.uint32 and values.shape == (400,)
    assert values.tolist() == [orvix.evaluate(row) for row in hands]


def test_evaluate_many_splits_large_arrays_without_changing_values():
    rng = np.random.default_rng(99)
    hands = random_codes(rng, 300_000, 7)
    together = orvix.evaluate_many(hands)
    alone = orvix.evaluate_many(hands, threads=1)
    assert np.array_equal(together, alone)
    sample = rng.integers(0, len(hands), 300)
    assert [together[i] for i in sample] == [orvix.evaluate(hands[i]) for i in sample]
    # Other integer types, and arrays that are not contiguous, give the same values.
    assert np.array_equal(orvix.evaluate_many(hands[:1000].astype(np.int64)), together[:1000])
    assert np.array_equal(orvix.evaluate_many(hands[::2]), together[::2])
    assert orvix.evaluate_many(np.zeros((0, 7), dtype=np.uint32)).shape == (0,)


def test_category_and_top_rank_decode_whole_arrays():
    values = orvix.evaluate_many(random_codes(np.random.default_rng(3), 2000, 7))
    for decode in (orvix.category, orvix.top_rank):
        decoded = decode(values.reshape(40, 50))
        assert decoded.dtype == np.uint8 and decoded.shape == (40, 50)
        assert decoded.ravel().tolist() == [decode(int(v)) for v in values]
        assert decode(values[:3].tolist()).tolist() == decoded.ravel()[:3].tolist()
        assert type(decode(values[5])) is int and decode(values[5]) == decoded.ravel()[5]


def test_best_five_plays_exactly_the_hand_value():
    rng = random.Random(23)
    for _ in range(400):
        size = rng.randint(1, 9)
        cards = [rng.choice(ALL_CARDS[:24] + ["*"]) for _ in range(size)]
        value, shown = orvix.best_five(cards)
        assert value == orvix.evaluate(cards), cards
        assert len(shown) == min(size, 5), cards
        naturals = [c for c in shown if not c.endswith("*")]
        for card in naturals:
            cards.remove(card)  # a card the hand holds, as often as it holds it
        assert len(shown) - len(naturals) <= cards.count("*"), shown
        # Each wild card played as what it stands for: its suit where shown,
        # else one no natural card has (if any), so that it makes no flush.
        spare = next((s for s in "dsch" if all(c[1] != s for c in naturals)), "d")
        played = [c[:-1] if len(c) == 3 else c[0] + spare if c.endswith("*") else c for c in shown]
        assert orvix.evaluate(played) == value, (shown, played)
