# cmake -DSOURCE_DIR=... -DWORK_DIR=... -DCXX_COMPILER=... -P optional_parts_test.cmake
file(REMOVE_RECURSE ${WORK_DIR})

# configure(<dir> <result var> <output var> args...)
function(configure dir result_var output_var)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${dir} -DCMAKE_CXX_COMPILER=${CXX_COMPILER} ${ARGN}
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  set(${result_var} ${result} PARENT_SCOPE)
  set(${output_var} "${output}" PARENT_SCOPE)
endfunction()

# expect(<message> <condition>...): stops with message unless the condition holds.
function(expect message)
  if(NOT (${ARGN}))
    message(FATAL_ERROR "${message}")
  endif()
endfunction()

set(without -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON)
set(with -DCMAKE_DISABLE_FIND_PACKAGE_GTest=OFF -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=OFF)

# 1. Neither library: the program configures, tests and benchmarks left out.
set(dir ${WORK_DIR}/auto)
configure(${dir} result output ${without})
expect("configuring without GoogleTest failed:\n${output}" result EQUAL 0)
expect("tests were configured without GoogleTest" NOT EXISTS ${dir}/tests)
expect("benchmarks were configured without Google Benchmark" NOT EXISTS ${dir}/bench)
expect("the program was not configured" EXISTS ${dir}/app)

# 2. The same folder once the libraries are there: AUTO was cached, not OFF.
configure(${dir} result output ${with})
expect("configuring again with GoogleTest failed:\n${output}" result EQUAL 0)
expect("tests stayed off after GoogleTest was found" EXISTS ${dir}/tests/CTestTestfile.cmake)
expect("benchmarks stayed off after Google Benchmark was found" EXISTS ${dir}/bench)

# 3. Insisting without the library stops the configure with a clear reason.
foreach(part TESTS BENCH)
  configure(${WORK_DIR}/insist_${part} result output ${without} -DORVIX_BUILD_${part}=ON)
  expect("ORVIX_BUILD_${part}=ON without its library configured anyway" NOT result EQUAL 0)
  string(FIND "${output}" "ORVIX_BUILD_${part} is ON but" at)
  expect("no clear reason for ORVIX_BUILD_${part}=ON:\n${output}" at GREATER -1)
endforeach()

# 4. OFF leaves the tests out even with GoogleTest present.
configure(${WORK_DIR}/off result output ${with} -DORVIX_BUILD_TESTS=OFF -DORVIX_BUILD_BENCH=OFF)
expect("configuring with the parts OFF failed:\n${output}" result EQUAL 0)
expect("ORVIX_BUILD_TESTS=OFF still configured the tests" NOT EXISTS ${WORK_DIR}/off/tests)
file(REMOVE_RECURSE ${WORK_DIR})
