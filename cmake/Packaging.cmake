# `make package`: a Debian package of what `cmake --install` puts in place,
# made by CPack's DEB generator, with the copyright file and the changelog
# Debian wants in /usr/share/doc/tsubame.
include(GNUInstallDirs)

set(TSUBAME_MAINTAINER "ツバメ maintainers <maintainers@users.noreply.c-seed-4606eb3f.example>")
set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/tsubame)
set(debian_dir ${CMAKE_BINARY_DIR}/debian)

# The copyright file in Debian's machine-readable format, its licence text
# taken from LICENSE.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]*)" _ "${licence}")
set(copyright_holder "${CMAKE_MATCH_1}")
string(FIND "${licence}" "Permission is hereby" terms_start)
string(SUBSTRING "${licence}" ${terms_start} -1 licence_terms)
string(STRIP "${licence_terms}" licence_terms)
string(REPLACE "\n\n" "\n.\n" licence_terms "${licence_terms}")
string(REPLACE "\n" "\n " licence_terms "${licence_terms}")
file(CONFIGURE OUTPUT ${debian_dir}/copyright CONTENT
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: tsubame
Upstream-Contact: ${TSUBAME_MAINTAINER}

Files: *
Copyright: ${copyright_holder}
License: Expat
 ${licence_terms}
")

# A native package's changelog: one entry for the version being built, dated
# now or at SOURCE_DATE_EPOCH.
string(TIMESTAMP changelog_date "%a, %d %b %Y %H:%M:%S +0000" UTC)
file(CONFIGURE OUTPUT ${debian_dir}/changelog CONTENT
"tsubame (${PROJECT_VERSION}) stable; urgency=medium

  * Release ${PROJECT_VERSION}.

 -- ${TSUBAME_MAINTAINER}  ${changelog_date}
")
add_custom_command(OUTPUT ${debian_dir}/changelog.gz
  COMMAND gzip -9nkf changelog
  WORKING_DIRECTORY ${debian_dir}
  DEPENDS ${debian_dir}/changelog VERBATIM)
add_custom_target(tsubame_package_docs ALL DEPENDS ${debian_dir}/changelog.gz)
install(FILES ${debian_dir}/copyright ${debian_dir}/changelog.gz DESTINATION ${doc_dir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tsubame)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${TSUBAME_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "loan repayment and depreciation calculator in Japanese")
set(CPACK_PACKAGE_DESCRIPTION
"ツバメ (Tsubame) is a small desktop calculator for Japanese business
accounting, with Japanese windows and messages. From its main menu the user
opens the loan repayment calculator (借入金計算), which gives a month-by-month
schedule of principal, interest, payment and balance by equal principal or
equal instalments, with deferment and a stepped rate, and the depreciation
calculator (減価償却計算), which gives the annual rate and a year-by-year
schedule by the straight-line or declining-balance method.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The libraries come from dpkg-shlibdeps; it cannot see what Qt loads at run
# time (the X platform plugin, its translations) nor the Japanese font the
# windows name.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, fonts-ipafont-gothic | fonts-noto-cjk, qt6-translations-l10n")
include(CPack)
