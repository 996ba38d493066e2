"""Poker hands and games of the orvix simulator, from Python.

Cards
-----
A card is a rank character of "23456789TJQKA" and a suit character of
"dsch" (diamonds, spades, clubs, hearts), in either case, or "*" for a wild
card (a joker). Inside the package a card is a 32-bit card code: codes()
makes them from text, card_text() gives the text back.

Hand values
-----------
evaluate() scores a hand of 1 to 20 cards, wild cards and repeated cards
(several decks) included, as one 32-bit hand value: greater is better, equal
ties. category(), category_name() and top_rank() decode it; best_five()
gives the value with the five cards that make it. evaluate_many() scores a
NumPy array of shape (n, k) of card codes on every core, without the
interpreter lock. Ctrl-C stops every long call at once with
KeyboardInterrupt.

Games
-----
Game(decks=1, players=5, hand_size=5, jokers=0, wild=(), add=(), remove=(),
board=0, use="any", hold=None) is a game of the console program; wild, add
and remove take its card-list words ("2", "twos", "2h", "hearts"), board
deals cards shared by every player, use says how many own cards a hand must
use with a board ("any" or 1 to 5), and hold gives seats (or the board)
known cards ({1: "As Ad", "board": "Kh 7c 2d"}). A game the console would
refuse raises ValueError with the program's message. Game.simulate() plays
a seeded run and counts every player's hand as a win or a loss (every
player holding the deal's best hand wins it) and every seat's wins, ties,
losses and equity (SimulationResult.seats); Game.exact() counts every hand
of one player (seat 1 with a board or held cards); Game.equity() counts
every deal of the unknown cards for every seat's exact equity. Results of one game add with +, and
SimulationResult.from_json() reads a file that the console program saved.

Examples
--------
>>> import orvix
>>> v = orvix.evaluate("As Ad 9c 9h 3s")
>>> hex(v), orvix.category_name(v), orvix.RANK_NAMES[orvix.top_rank(v)]
('0x24201082', 'Two Pair', 'Ace')
>>> values = orvix.evaluate_many(orvix.codes(["* Kd 9c 5h 3s", "Ts Js Qs Ks As"]))
>>> [orvix.CATEGORY_NAMES[c] for c in orvix.category(values)]
['One Pair', 'Straight Flush']
>>> game = orvix.Game(players=6, hand_size=7, wild="2")
>>> result = game.simulate(10_000, seed=42)   # the counts of "seed 42" then "go"
>>> result.wins.shape, result.deals, result.total_hands
((10, 13), 10000, 60000)
>>> orvix.Game(players=1).exact().total
2598960
"""

from ._core import (
    CATEGORY_NAMES,
    JOKER,
    MAX_HAND_SIZE,
    RANK_NAMES,
    EquityTable,
    ExactTable,
    Game,
    SeatTable,
    SimulationResult,
    __version__,
    best_five,
    card_text,
    category,
    category_name,
    codes,
    evaluate,
    evaluate_many,
    top_rank,
)

__all__ = [
    "CATEGORY_NAMES",
    "JOKER",
    "MAX_HAND_SIZE",
    "RANK_NAMES",
    "EquityTable",
    "ExactTable",
    "Game",
    "SeatTable",
    "SimulationResult",
    "__version__",
    "best_five",
    "card_text",
    "category",
    "category_name",
    "codes",
    "evaluate",
    "evaluate_many",
    "top_rank",
]
