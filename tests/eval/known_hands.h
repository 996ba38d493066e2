#pragma once
// Hands with their exact values, worked out by hand from the rules of hand
// values. Every evaluator (fast or brute force) must reproduce them.

#include <orvix/evaluate.h>

namespace orvix::test {

struct KnownHand {
  const char* hand;  // "*" is a wild card
  HandValue value;
};

// Five cards and more.
inline constexpr KnownHand kKnownBigHands[] = {
    {"As Kd 9c 5h 3s", 0x06228000},
    {"As Ad 9c 5h 3s", 0x1400108A},
    {"As Ad 9c 9h 3s", 0x24201082},
    {"As Ad Ac 5h 3s", 0x3400100A},
    {"Ts Jd Qc Kh As", 0x44001F00},
    {"As 2d 3c 4h 5s", 0x4002100F},
    {"As Ks 9s 5s 3s", 0x500CB731},
    {"As Ad Ac 5h 5s", 0x64001008},
    {"9s 9d 9c Ah As", 0x60201080},
    {"As Ad Ac Ah 3s", 0x74001002},
    {"Ts Js Qs Ks As", 0x84001F00},
    {"As 2s 3s 4s 5s", 0x8002100F},
    {"* Kd 9c 5h 3s", 0x1200088A},
    {"* * 9c 5h 3s", 0x3020008A},
    {"* * 7h 8h 9s", 0x408003E0},
    {"* * * 5h 3s", 0x7002000A},
    {"* * * * 3s", 0x90008000},
    {"* * * * *", 0x94000000},
    {"* Ad Ac Ah As", 0x94000000},
    {"* As Ks Qs 9s 8s", 0x500CCBA7},
    {"As Ad Ks Kd Qs Qd Jc", 0x26001C00},
    {"As Ad Ac Ah Ks Kd Kc", 0x74001800},
    {"As Ks 9s 5s 3s Ah Qh Jh 8h 2h", 0x500CB731},
    {"* Ks Qs Js 9s 2d 3c", 0x82000F80},
    {"* 2s 3s 4s 5s 9d", 0x8004001F},
    {"2s 3s 4s 5s 6s As", 0x8004001F},
    {"* * * 9s 5s 2d 2c", 0x90004000},
    {"* * * 9s 5s 2d 4c", 0x802000F8},
    {"Ah Ah Kh Qh Jh 2c", 0x500CCBA9},
    {"Ah Ah Ah Kh Qh 2c", 0x500CCCBA},
    {"Ah Ad Ac Ks Kd Qs Qd", 0x64001800},
    {"* Ah Ad Kh Kd 5c 6c", 0x64001800},
    {"* * Ah Ad 5c 6c 7d", 0x74001020},
    {"* Ah Kh 9h 4h 2c 2d", 0x500CCB72},
    {"* * Ah 9h 4h 2c 3d", 0x500CCC72},
    {"As Ad Ah Ac As", 0x94000000},
    {"* * * * 2c 3d", 0x90008000},
    {"* * * * * * 2c", 0x94000000},
    {"Ts Js Qs Ks As Ah Ad Ac", 0x84001F00},
    {"2h 3h 4h 5h 6h 7h 8h 9h Th Jh Qh Kh Ah 2d 3d 4d 5d 6d 7d 8d", 0x84001F00},
    {"* * * 9s 5s Th Jh", 0x84001F00},
    {"* * * 9s 5d Th 4c", 0x70400180},
    {"* As Ks Ks Qs 2d", 0x500CCBBA},  // one wild, a repeated King in the flush
};

// One to four cards.
inline constexpr KnownHand kKnownSmallHands[] = {
    {"*", 0x04000000},           {"* *", 0x14001000},         {"* * * *", 0x74001000},
    {"Ah", 0x04000000},          {"Ah Kd", 0x06000000},       {"Ah Ad", 0x14001000},
    {"* Kd", 0x12000800},        {"9h 5d 3c", 0x00228000},    {"9h 9d 3c", 0x10200082},
    {"* 9d 3c", 0x10200082},     {"9h 9d 9c", 0x30200080},    {"* 9d 9c", 0x30200080},
    {"* * 9c", 0x30200080},      {"* * *", 0x34001000},       {"Kh 9h 5d 3c", 0x02228000},
    {"Kh Kd 5d 3c", 0x1200080A}, {"Kh Kd 5d 5c", 0x22020808}, {"Kh Kd Ks 3c", 0x32000802},
    {"Kh Kd Ks Kc", 0x72000800}, {"* 9h 5d 3c", 0x1020008A},  {"* 9h 9d 3c", 0x30200082},
    {"* 9h 9d 9c", 0x70200080},  {"* * 9d 3c", 0x30200082},   {"* * 9d 9c", 0x70200080},
    {"* * * 3c", 0x70008002},    {"Ah Kh Qh Jh", 0x07800000}, {"2d", 0x00004000},
    {"Ks Ks", 0x12000800},  // two decks: equal cards pair
};

}  // namespace orvix::test
