# Installs the built tree into a staging prefix, then builds and runs a consumer against it through
# find_package(Tal 18) and through pkg-config (--static for a static build: SHARED off).
include(${CMAKE_CURRENT_LIST_DIR}/consumers.cmake)

set(stage ${WORK_DIR}/stage)
file(REMOVE_RECURSE ${WORK_DIR})
run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${stage})
consume(${stage} "${SHARED}" ${WORK_DIR})
