#!/usr/bin/env python3
"""Draws a result table as two heatmaps, category by top rank: how often each
hand occurs, and how often it wins its deal.

    python3 examples/plot_table.py saved.json -o table.png
    python3 examples/plot_table.py -o docs/deuces_wild_6p7c.png     # plays the game below

A saved JSON result is what the console program's `save` writes (or
SimulationResult.to_json()). Without one, it simulates deuces wild: six
players, seven cards, every Two wild (--hands, --seed). From Python:

    import orvix, plot_table
    plot_table.plot_result(orvix.Game(players=6, hand_size=7, wild="2").simulate(10**6), "t.png")
"""

import argparse
import pathlib
import sys

import matplotlib

matplotlib.use("Agg")  # files only, no display needed
import matplotlib.pyplot as plt  # noqa: E402
import numpy as np  # noqa: E402
from matplotlib.colors import LogNorm  # noqa: E402

import orvix  # noqa: E402

RANK_LABELS = ["2", "3", "4", "5", "6", "7", "8", "9", "T", "J", "Q", "K", "A"]


def title_of(result):
    """The game's description, its last line saying how many hands made the table."""
    game = result.game
    lines = game.describe().splitlines()[:-1] if game is not None else []
    seeds = [str(run["seed"]) for run in result.runs]
    played = "%s deals, %s hands counted" % (format(result.total_hands // max(game.players, 1) if game else 0, ","),
                                             format(result.total_hands, ","))
    if len(seeds) == 1:
        played += ", seed " + seeds[0]
    return "\n".join(lines + [played + "."])


def percent_text(value):
    """Three significant figures at most, so small cells stay readable."""
    if value >= 10:
        return "%.1f" % value
    if value >= 1:
        return "%.2f" % value
    return ("%.2g" % value).replace("e-0", "e-")


def draw(ax, values, cmap, norm, colorbar_label, fig):
    masked = np.ma.masked_invalid(values)
    image = ax.imshow(masked, cmap=cmap, norm=norm, aspect="auto", origin="lower")
    ax.set_xticks(range(13), RANK_LABELS)
    ax.set_yticks(range(10), orvix.CATEGORY_NAMES)
    ax.set_xlabel("top rank")
    ax.set_facecolor("#eeeeee")  # hands that never occurred
    for c in range(10):
        for r in range(13):
            v = values[c, r]
            if np.isnan(v):
                continue
            shade = image.cmap(image.norm(v))
            light = 0.299 * shade[0] + 0.587 * shade[1] + 0.114 * shade[2] > 0.55
            ax.text(r, c, percent_text(v), ha="center", va="center", fontsize=6.5,
                    color="black" if light else "white")
    fig.colorbar(image, ax=ax, label=colorbar_label, fraction=0.04, pad=0.02)


def plot_result(result, path):
    """Writes the two heatmaps of a SimulationResult to the PNG file path."""
    wins = result.wins.astype(float)
    hands = wins + result.losses.astype(float)
    total = hands.sum()
    with np.errstate(invalid="ignore", divide="ignore"):
        share = np.where(hands > 0, hands / total * 100.0, np.nan)
        win_rate = np.where(hands > 0, wins / hands * 100.0, np.nan)

    fig, (top, bottom) = plt.subplots(2, 1, figsize=(12, 11), constrained_layout=True)
    positive = share[~np.isnan(share)]
    draw(top, share, "viridis", LogNorm(vmin=max(positive.min(), 1e-6), vmax=positive.max()),
         "% of all hands (log scale)", fig)
    top.set_title("How often each hand occurs (% of all hands)")
    draw(bottom, win_rate, "RdYlGn", plt.Normalize(0, 100), "% of these hands that win", fig)
    bottom.set_title("How often it wins its deal (% of hands of that kind; a tie for best counts as a win)")
    fig.suptitle(title_of(result), fontsize=11)
    fig.savefig(path, dpi=110)
    plt.close(fig)


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("saved", nargs="?", help="a JSON result saved by `save` (default: simulate deuces wild)")
    parser.add_argument("-o", "--output", default="table.png", help="the PNG file to write")
    parser.add_argument("--hands", type=int, default=2_000_000, help="deals to simulate without a saved result")
    parser.add_argument("--seed", type=int, default=2026, help="the seed of that simulation")
    args = parser.parse_args(argv)
    if args.saved:
        result = orvix.SimulationResult.from_json(pathlib.Path(args.saved).read_text())
    else:
        game = orvix.Game(players=6, hand_size=7, wild="2")
        result = game.simulate(args.hands, seed=args.seed)
    plot_result(result, args.output)
    print("Wrote %s." % args.output)


if __name__ == "__main__":
    main(sys.argv[1:])
