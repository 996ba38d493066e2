Decks 2
DECKS 3
dEcKs 4
foo
fOo bar
decks2
go!
qUiT?
help!
wilds2h
-q
Clear
PlAyErS 1
