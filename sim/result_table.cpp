#include "result_table.h"

namespace orvix {

// TODO(sim): placeholder bodies.
void clear_results(ResultTable& table) { table = ResultTable{}; }
void merge_worker_counts(const SimWorker&, ResultTable&) {}
void compute_percentages(ResultTable&) {}

}  // namespace orvix
