# The transfer benchmark talks to the device emulator of the tests.
if(TARGET device_emulator)
  target_link_libraries(${name} PRIVATE comm device_emulator)
else()
  file(GLOB _emulator_src ${CMAKE_SOURCE_DIR}/tests/support/*.cpp)
  target_sources(${name} PRIVATE ${_emulator_src})
  target_link_libraries(${name} PRIVATE comm Threads::Threads)
endif()
