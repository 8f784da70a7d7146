# The Debian package (scripts/package): zelk_<version>_amd64.deb, its dependencies computed
# from the libraries the programs link, plus the Qt parts they load at run time.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zelk)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "De ontwikkelaars van Zelk")
set(CPACK_PACKAGE_CONTACT "De ontwikkelaars van Zelk <ontwikkelaars@zelk.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "administratie voor de penningmeester van een vereniging")
set(CPACK_PACKAGE_DESCRIPTION "Zelk houdt de administratie van een kleine vereniging bij: het
ledenregister met de contributies per maand, een eenvoudige boekhouding op een
vast rekeningschema, nog te betalen en nog te ontvangen posten, startbalans en
jaarafsluiting, begroting, overzichten, standaardbrieven en e-mail, backup en
restore, en vijf administraties naast elkaar. Alle teksten zijn Nederlands.
.
zelk-cli werkt zonder scherm op dezelfde administraties, voor scripts.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded as plug-ins, so no linked library names them: the X11/Wayland window system plug-ins,
# Qt's own Dutch texts, and the fonts the reports are laid out with.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, fonts-liberation2, fonts-dejavu-core")
set(CPACK_STRIP_FILES ON)
include(CPack)
