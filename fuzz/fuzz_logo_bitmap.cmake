target_sources(${name} PRIVATE ${CMAKE_SOURCE_DIR}/shell/ProgramPropsLogoImage.cpp)
target_link_libraries(${name} PRIVATE platform_gdi)
