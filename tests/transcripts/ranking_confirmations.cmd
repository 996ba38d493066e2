ranking
ranking shortdeck
ranking
game
hand Kh Kd Kc 9h 9s 5h 2h Jh
hand Kh Kd Kc 9h 9s 5h 2h
hand Ah 6d 7c 8s 9h Kd
hand As 2d 3c 4h 5s
hand 6h 7h 8h 9h Ah
hand * 6c 7d 8s
ranking order 5k sf 4k fh fl st 2p 3k 1p hc
ranking
hand Kh Kd 9h * 2c
hand Kh Kd Kc 9h 9s
hand As 2d 3c 4h 5s
ranking order Five of a Kind, straight flush, FOUR OF A KIND, Full House, Flush, Straight, Three of a Kind, Two Pair, One Pair, High Card
ranking Order 5K,SF,4K,FL,FH,ST,3K,2P,1P,HC
game
ranking order 5K SF 4K FL FH ST 3K 2P 1P
ranking order 5K SF 4K FL FH ST 3K 2P 1P HC HC
ranking order 5K SF 4K FL FH ST 3K 2P 1P 1P
ranking order
ranking lowball
ranking standard please
ranking
ranking STANDARD
game
ranking ShortDeck
reset
ranking
game
hand Kh Kd 9h 9s 6h 7h *
preset shortdeck
game
deck
hand Kh Kd 9h 9s 6h 7h *
ranking low
ranking
hand As 2d 3c 4h 5s
hand 3c 4d * Kh 9s
hand 9c 9d Ah 2s 3s 2h Kc
hand As Ad *
hand 7c 7d 7h 7s 2c 2d
hand 2h 3h 4h 5h 7h
ranking DEUCE
ranking
hand 3c 4d 5h 6s *
hand 2h 3h 4h 5h 7h
hand 2h 3h 4h 5h 7h 8s
hand As 2d 3c 4h 5s
hand Kh Kd *
hand * *
reset
ranking Low
game
