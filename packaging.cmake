# cpack -G DEB: a Debian package of what `cmake --install` installs, its dependencies worked out
# from the libraries the program links (dpkg-shlibdeps).
set(CPACK_PACKAGE_NAME zestora)
set(CPACK_PACKAGE_VENDOR "The Zestora developers")
set(CPACK_PACKAGE_CONTACT "The Zestora developers <zestora@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "recipe and diet-analysis calculator")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Zestora builds recipes line by line from an ingredient database and shows a "
       "per-serving Nutrition Facts panel after every line. Recipes are saved with their "
       "directions, printed, e-mailed and exported as PDF, HTML, MealMaster and schema.org "
       "JSON. It starts with the foods of the USDA nutrient database.")
set(CPACK_PACKAGE_HOMEPAGE_URL "${ZESTORA_HOMEPAGE}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Printed pages use Arial's metrics, which Liberation Sans matches.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-liberation)
include(CPack)
