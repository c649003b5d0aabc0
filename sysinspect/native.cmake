# Native build: the simulated platform, the console reporter on a profile,
# unit tests and fuzz targets.
# platform/posix: the real network of this system (the reporter delivers
# inventories from a simulated machine over it).
file(GLOB SYSINSPECT_SIM_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_CURRENT_SOURCE_DIR}/platform/sim/*.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/platform/posix/*.cpp)
add_library(sysinspect_sim STATIC ${SYSINSPECT_SIM_SOURCES})
target_link_libraries(sysinspect_sim PUBLIC sysinspect_lib)
target_compile_options(sysinspect_sim PRIVATE ${SYSINSPECT_WARNINGS})

add_executable(sysinspect-report
  app/ReportMain.cpp
  app/ReportMachine_sim.cpp)
target_link_libraries(sysinspect-report PRIVATE sysinspect_sim)
target_compile_options(sysinspect-report PRIVATE ${SYSINSPECT_WARNINGS})

add_subdirectory(tests)
add_subdirectory(fuzz)
