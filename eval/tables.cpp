#include "tables.h"

namespace orvix {

EvalTables eval_tables;

const CategoryRange kCategoryRanges[kCategoryCount] = {
    {0, 1276},     {1277, 4136},  {4137, 4994},  {4995, 5852},  {5853, 5862},
    {5863, 11715}, {11716, 11871}, {11872, 12027}, {12028, 12037}, {12038, 12050}};

void build_eval_tables() {}  // TODO(eval): fill the tables

}  // namespace orvix
