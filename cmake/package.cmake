# `cpack -G DEB` in a build folder makes glyphwright_<version>_amd64.deb from what `cmake --install`
# lays out. Its Depends line is computed from the installed programs by dpkg-shlibdeps.
set(CPACK_PACKAGE_NAME glyphwright)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Glyphwright developers")
set(GLYPHWRIGHT_MAINTAINER "Glyphwright developers <maintainers@glyphwright.invalid>"
    CACHE STRING "The Maintainer line of the Debian package")
set(CPACK_PACKAGE_CONTACT "${GLYPHWRIGHT_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${GLYPHWRIGHT_SUMMARY}")
set(CPACK_PACKAGE_DESCRIPTION
    "Glyphwright edits the fixed-size bitmap fonts that microcontrollers draw on small displays:
fonts held as a C byte array or as an MMBasic DefineFont block. It shows one glyph at a time as a
magnified pixel grid, flips pixels with the mouse, copies glyphs between characters and saves the
font again in either form, byte for byte. glyphwright-convert converts, checks and previews fonts
from the command line.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
