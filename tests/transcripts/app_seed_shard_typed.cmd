seed
seed 42
seed 0
seed 18446744073709551615
seed 00000000000000000001
seed 000000000000000000001
seed 18446744073709551616
seed 99999999999999999999
seed +1
seed -1
seed 12x
seed 1.5
seed 0x10
seed 1e3
seed 1,000
seed randomly
seed random
SEED Random extra
seed 7 8
seed	9
seed 5
shard 1 1
shard 2 3
shard 3 3
shard 4 3
shard 0 0
shard 0 3
shard 1
shard
shard -1 2
shard +1 2
shard 1 4294967295
shard 4294967295 4294967295
shard 1 4294967296
shard 2 3x
Shard 2 3 extra
game
reset
game
seed
seed 11
seed
seed random
seed
quit
