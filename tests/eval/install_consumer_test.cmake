# Installs the evaluator library from BUILD_DIR into a fresh prefix under
# WORK_DIR, checks that only the public headers were installed, then
# configures, builds and runs the consumer project in SOURCE_DIR against it.
# Run with cmake -P and -D for each variable.
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

function(run_step)
  execute_process(COMMAND ${ARGV} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "step failed (${rc}): ${ARGV}\n${out}")
  endif()
  message(STATUS "${out}")
endfunction()

run_step(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${WORK_DIR}/prefix --component orvix_eval)
# The public headers and nothing else: the internals stay in the tree.
file(GLOB_RECURSE headers RELATIVE ${WORK_DIR}/prefix/include ${WORK_DIR}/prefix/include/*)
list(SORT headers)
if(NOT headers STREQUAL "orvix/best_five.h;orvix/card.h;orvix/evaluate.h;orvix/ranking.h")
  message(FATAL_ERROR "installed headers: ${headers}; want orvix/best_five.h;orvix/card.h;orvix/evaluate.h;orvix/ranking.h")
endif()

run_step(${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${WORK_DIR}/build
  -DCMAKE_PREFIX_PATH=${WORK_DIR}/prefix -DCMAKE_CXX_COMPILER=${CXX_COMPILER} -DCMAKE_BUILD_TYPE=Release)
run_step(${CMAKE_COMMAND} --build ${WORK_DIR}/build)
run_step(${WORK_DIR}/build/consumer)
run_step(${WORK_DIR}/build/consumer_cxx17)
