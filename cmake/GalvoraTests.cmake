# galvora_add_gtest(<name> SOURCES <files...> LIBS <targets...> [ENV <VAR=value...>] [LOCK <resource>])
# One GoogleTest executable, its cases registered with CTest one by one.
# Cases sharing a LOCK never run at the same time (e.g. those that start a
# program every other case of the lock would see in the process list).
function(galvora_add_gtest name)
  cmake_parse_arguments(ARG "" "LOCK" "SOURCES;LIBS;ENV" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock Threads::Threads)
  target_compile_definitions(${name} PRIVATE GALVORA_SIM_DIR="${GALVORA_SIM_DIR}")
  set(proprietes ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  # The discovered tests get each property as one value: a second variable
  # would be read as a property name, so one NAME=value at most, set apart.
  list(LENGTH ARG_ENV nb_variables)
  if(nb_variables GREATER 1)
    message(FATAL_ERROR "galvora_add_gtest(${name}): one ENV variable at most")
  elseif(nb_variables EQUAL 1)
    string(REGEX REPLACE "^([^=]+)=(.*)$" "\\1=set:\\2" modification "${ARG_ENV}")
    list(APPEND proprietes ENVIRONMENT_MODIFICATION "${modification}")
  endif()
  if(ARG_LOCK)
    list(APPEND proprietes RESOURCE_LOCK ${ARG_LOCK})
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES ${proprietes})
endfunction()

# galvora_add_qttest(<name> SOURCES <files...> LIBS <targets...> [ENV ...] [LOCK <resource>])
# One Qt Test executable run on the offscreen platform.
function(galvora_add_qttest name)
  cmake_parse_arguments(ARG "" "LOCK" "SOURCES;LIBS;ENV" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt6::Test Qt6::Widgets)
  target_compile_definitions(${name} PRIVATE GALVORA_SIM_DIR="${GALVORA_SIM_DIR}")
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;${ARG_ENV}")
  if(ARG_LOCK)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK ${ARG_LOCK})
  endif()
endfunction()
