#include "app/help.h"

#include "app/banner.h"
#include "platform/console.h"

namespace orvix {

namespace {

// Written with out_text, never as a format: the paragraphs hold '%' signs.
constexpr const char* kCommandLines[] = {
    "game                  : Describe game that will be played.\n",
    "deck                  : Describe the cards to be used playing the game.\n",
    "decks <number>        : Number of decks to use (1-50, default 1).\n",
    "hands <number>        : Number of hands to simulate (default 5000000).\n",
    "handsize <number>     : Number of cards in a player's hand (1-20, default 5).\n",
    "players <number>      : Number of players in game (1-50, default 5).\n",
    "jokers <number>       : Total number of jokers to use (0-100, default 0).\n",
    "wild[s] <cards>       : Clears wilds, then adds wild cards, ranks and suits (separated by "
    "spaces).\n",
    "add[s] <cards>        : Specify cards to add to the game (separated by spaces, cumulative).\n",
    "rem[s] <cards>        : Specify cards to take out of the game (separated by spaces, "
    "cumulative).\n",
    "go                    : Clear counters, run the simulation and show the percentage results.\n",
    "more                  : Leave counters alone, run the simulation and show the percentage "
    "results.\n",
    "stats                 : Show the percentage wins for each type of hand (done automatically by "
    "go).\n",
    "counts                : Show exact counts of each type of hand that occurred, won, or lost.\n",
    "reset                 : Reset the game, deck and counts to the defaults.\n",
    "clear | clearcount[s] : Clear only the counters, leave the cards and rules alone.\n",
    "clearwild[s]          : Clear only the wildcards (jokers remain).\n",
    "clearaddrem[s]        : Clear only the cards added or removed.\n",
    "test                  : Enumerate some common games and provide some statistics (single "
    "threaded).\n",
    "exact                 : Exact odds of one hand under the current rules (every hand "
    "counted).\n",
    "seed [<number>|random]: Repeat runs exactly: same seed, same counts (alone: show the "
    "seeds).\n",
    "shard <i> <n>         : Play only part i of n of each run (to spread a run over machines).\n",
    "save <file>           : Save counters, game and seeds (.json; .csv with error margins).\n",
    "load <file>           : Add the counters saved in a .json file to the current counters.\n",
    "board <number>        : Cards dealt face up and shared by every player (0-19, default 0).\n",
    "use <any|number>      : How many own cards a hand must use with a board (any, or exactly "
    "1-5).\n",
    "hold <seat> <cards>   : Known cards for a seat (or \"board\"); no cards clears, "
    "\"hold clear\" all.\n",
    "seats                 : Show wins, ties, losses and equity for every seat.\n",
    "equity                : Exact equity of every seat (every deal of the unknown cards "
    "counted).\n",
    "hand <cards>          : Name the best hand in the cards, and the five cards that make it.\n",
    "preset <name>         : Set up a named game (alone: list them).\n",
    "ranking [<name>]      : Hand order: standard, shortdeck, low, deuce, frequency, order "
    "<codes>.\n",
    "quit | q | exit       : Quit the program, also quits when end of file seen.\n",
};

constexpr const char* kEvaluationParagraph =
    "Hands with fewer than five cards are evaluated without considering flushes or straights.  "
    "Hands with\n"
    "five or more cards are evaluated as the best five card poker hand in the hand.\n";

constexpr const char* kNotationParagraph =
    "Cards are provided by rank [23456789TJQK] and suit [hcsd].  You may also list categories of "
    "cards by\n"
    "the full name of the rank or suit.  For example, Deuces wild is described as any one of the\n"
    "following: \"wild 2\" or \"wild two\" or \"wild 2h 2c 2s 2d\".  Remember that wilds are all\n"
    "specified in one command.  \"wild 5s\" followed by \"wild 7\" means the game is 7's wild.\n";

constexpr const char* kCountingParagraph =
    "With the \"go\" command, counters are reset before the simulation run.  With the \"more\" "
    "command, the\n"
    "counting is cumulative over multiple simulation runs, so the rules can change midstream.  Use "
    "the\n"
    "\"clear\", \"clearcounts\" or \"reset\" commands to clear the counters.\n";

constexpr const char* kPercentParagraph =
    "Percentages in the stats table are such that 0% means none seen, and 100% means always seen, "
    "so\n"
    "1% means above 0 but less than 1.5, and 99% means at least 98.5 but less than 100%.  Use the\n"
    "\"counts\" command to see the underlying raw numbers (how many of each hand occurred, won or "
    "lost).\n";

constexpr const char* kConsoleParagraph =
    "This application uses the windows console window and can be used either from the command line "
    "or\n"
    "directly from the desktop.  Run orvix /? from the command line for usage.  From the desktop, "
    "we\n"
    "recommend a large window and a screen buffer width of 211 characters to support the counts "
    "command.\n";

}  // namespace

void print_help() {
  out_text(program_banner);
  out_line_end();
  out_text("Commands:\n");
  out_line_end();
  for (const char* line : kCommandLines) out_text(line);
  for (const char* paragraph : {kEvaluationParagraph, kNotationParagraph, kCountingParagraph,
                                kPercentParagraph, kConsoleParagraph}) {
    out_line_end();
    out_text(paragraph);
  }
  out_line_end();
}

}  // namespace orvix
