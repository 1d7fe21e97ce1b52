# The Debian package: cpack -G DEB in a build tree packs what the install
# rules install, under /usr.
set(CPACK_PACKAGE_NAME quelvar)
set(CPACK_PACKAGE_VENDOR "The Quelvar maintainers")
set(CPACK_PACKAGE_CONTACT "The Quelvar maintainers <maintainers@quelvar.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "watch Gauss-Jordan elimination solve a linear system step by step")
set(CPACK_PACKAGE_DESCRIPTION
    "Quelvar shows matrix elimination at work. You pick a size n, type a linear
system A x = b into a grid and press SOLVE; the program then carries out
Gauss-Jordan elimination one cell operation at a time and writes every
intermediate value into the grids of the same window, so you can follow each
pivot as it happens. The unit matrix is carried along, so at the end the
window shows both the solution x and the inverse of A.")
set(CPACK_STRIP_FILES ON)
# Directories get the usual modes whatever the umask of the build.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.quelvar.example/")
# Depends is what dpkg-shlibdeps finds the program linked against.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Typed cells are drawn in Arial; without Liberation Sans, the face with
# Arial's widths, fontconfig picks a wider one. A control character typed into
# a cell is drawn as its picture ("␍" for Enter), which only Symbola among
# Debian's smaller fonts has; without it the picture is an empty box.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, fonts-symbola")

include(CPack)
