target_link_libraries(${name} PRIVATE editor platform_host)
target_compile_definitions(${name} PRIVATE TAVIX_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
# The start-up under a virtual X server runs the real program.
add_dependencies(${name} tavix)
target_compile_definitions(${name} PRIVATE TAVIX_PROGRAM="$<TARGET_FILE:tavix>")
# Its main window's content is read back from the X server from outside the program.
if(TARGET x_await_content)
  add_dependencies(${name} x_await_content)
  target_compile_definitions(${name} PRIVATE X_AWAIT_CONTENT="$<TARGET_FILE:x_await_content>")
endif()
