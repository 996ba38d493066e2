players 1
handsize 2
jokers 1
ranking low
exact
