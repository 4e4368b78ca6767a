target_link_libraries(${name} PRIVATE view resources platform)
