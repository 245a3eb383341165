# Included by ctest: labels every discovered link test for both sanitizer runs.
if(link_tests_TESTS)
  set_tests_properties(${link_tests_TESTS} PROPERTIES LABELS "plain;threaded")
endif()
