# SPDX-License-Identifier: MIT
# Finds GNU MPFR and the GMP it needs, with GMP's C++ interface, and defines MPFR::MPFR.
find_path(MPFR_INCLUDE_DIR mpfr.h)
find_path(GMPXX_INCLUDE_DIR gmpxx.h)
find_library(MPFR_LIBRARY mpfr)
find_library(GMPXX_LIBRARY gmpxx)
find_library(GMP_LIBRARY gmp)
include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(MPFR REQUIRED_VARS MPFR_LIBRARY GMPXX_LIBRARY GMP_LIBRARY
                                                     MPFR_INCLUDE_DIR GMPXX_INCLUDE_DIR)
if(MPFR_FOUND AND NOT TARGET MPFR::MPFR)
  add_library(MPFR::MPFR UNKNOWN IMPORTED)
  set_target_properties(MPFR::MPFR PROPERTIES
    IMPORTED_LOCATION "${MPFR_LIBRARY}"
    INTERFACE_INCLUDE_DIRECTORIES "${MPFR_INCLUDE_DIR};${GMPXX_INCLUDE_DIR}"
    INTERFACE_LINK_LIBRARIES "${GMPXX_LIBRARY};${GMP_LIBRARY}")
endif()
