players 1
rems c s d
rem 2h 3h 4h
jokers 1
exact
handsize 1
exact
