#include "app/command_loop.h"
#include "eval/tables.h"

int main() {
  orvix::build_eval_tables();
  orvix::command_loop(false, false);
  return 0;
}
