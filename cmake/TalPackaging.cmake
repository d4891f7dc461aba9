# Debian packages through CPack (`cpack -G DEB` in a shared build): libtal<major>, the shared
# libraries, and libtal-dev, what a developer builds against. Other generators (TGZ) take both.
set(CPACK_PACKAGE_NAME tal)
set(CPACK_PACKAGE_VENDOR "Tal developers")
set(CPACK_PACKAGE_CONTACT "Tal developers <tal@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Fixed-point, rational, matrix and polygon library of a layer-based graphics host")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_RESOURCE_FILE_README ${PROJECT_SOURCE_DIR}/README.md)
set(CPACK_COMPONENTS_ALL Runtime Development)
set(CPACK_COMPONENT_DEVELOPMENT_DEPENDS Runtime)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
# libtal-dev depends on exactly this version of libtal<major>.
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME libtal${PROJECT_VERSION_MAJOR})
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION
    "Tal numeric and geometric library: shared libraries\n\
 16.16 and 8.24 fixed point, exact 32-bit rationals, point and rectangle\n\
 records, 3x3 and 4x4 matrices, bulk point transformation, clipping and the\n\
 polygons that carry a layer's corners to the screen, with the reference base\n\
 library libtal_base.")
# dpkg-shlibdeps finds what the libraries need (libc6, libstdc++6, libgcc-s1); the shlibs file
# tells packages built against them to depend on this major version.
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
file(WRITE ${PROJECT_BINARY_DIR}/debian-runtime/triggers "activate-noawait ldconfig\n")
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_EXTRA ${PROJECT_BINARY_DIR}/debian-runtime/triggers)

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libtal-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION
    "Tal numeric and geometric library: development files\n\
 Headers, the CMake package (find_package(Tal)), pkg-config files (tal,\n\
 tal_base) and the links to the shared libraries.")

include(CPack)
