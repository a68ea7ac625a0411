# The Debian package, built by `cpack -G DEB` in a tree configured with the prefix /usr
# (scripts/package.sh does both). The MIME, desktop and icon caches are refreshed by the
# file triggers of shared-mime-info, desktop-file-utils and hicolor-icon-theme, which
# watch the folders the package installs into, so the package needs no maintainer scripts.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ssudomer)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Ssudomer developers <dev@ssudomer.ru>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "loan calculator: repayment schedule and payment register")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Added to what dpkg-shlibdeps finds in the binaries: the faces the window and the pages
# are laid out with.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
# Qt's Russian texts: without them the file dialogs and the buttons of the standard boxes
# speak English. The program works without them, so they are recommended, which apt
# installs by default.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
# The extended description; CPack puts the summary above it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Ssudomer computes a loan repayment schedule with differentiated or equal
monthly payments and an account-service fee, records the payments really
made with interest by actual days, shows how far they run ahead of or behind
the bank's plan, and forecasts the rest. Payments are kept in .crp files,
which open from the file manager. The window's interface is in Russian;
ssudomer-cli computes the same on the command line.
.
Ссудомер - кредитный калькулятор. Он считает график погашения кредита
дифференцированными или равными платежами с учетом платы за обслуживание
счета, ведет учет сделанных платежей с процентами по фактическим дням,
показывает опережение или отставание от графика банка и прогнозирует
оставшиеся платежи. Платежи хранятся в файлах .crp.")

include(CPack)
