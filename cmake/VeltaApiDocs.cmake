# The host developer's API reference (docs/Doxyfile): the target velta-api-docs
# writes it to build/api-docs/html, and the test packaging.api_reference runs
# Doxygen on the same headers with every warning an error, so that what is
# public is documented. Without Doxygen neither is there.
find_program(VELTA_DOXYGEN doxygen)
if(NOT VELTA_DOXYGEN)
  message(STATUS "doxygen not found (Debian: doxygen): no API reference and no test of it")
  return()
endif()

set(velta_doxygen_environment
  VELTA_VERSION=${PROJECT_VERSION} VELTA_SOURCE=${PROJECT_SOURCE_DIR} VELTA_BUILD=${PROJECT_BINARY_DIR})
add_custom_target(velta-api-docs
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/api-docs
  COMMAND ${CMAKE_COMMAND} -E env ${velta_doxygen_environment} VELTA_API_DOCS=${PROJECT_BINARY_DIR}/api-docs
    VELTA_DOC_WARNINGS=NO ${VELTA_DOXYGEN} ${PROJECT_SOURCE_DIR}/docs/Doxyfile
  COMMENT "API reference in ${PROJECT_BINARY_DIR}/api-docs/html"
  VERBATIM)

if(NOT VELTA_TESTS)
  return()
endif()
add_test(NAME packaging.api_reference
  COMMAND ${CMAKE_COMMAND} -E env ${velta_doxygen_environment}
    VELTA_API_DOCS=${PROJECT_BINARY_DIR}/test-tmp/api-reference VELTA_DOC_WARNINGS=FAIL_ON_WARNINGS
    ${VELTA_DOXYGEN} ${PROJECT_SOURCE_DIR}/docs/Doxyfile)
set_tests_properties(packaging.api_reference PROPERTIES LABELS packaging TIMEOUT 120)
