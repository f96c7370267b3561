#pragma once
// Who supplies the evaluation software, as printed in the supplier notice of
// chart and report pages and in the product note beside the first strip.
// Windows-1252 texts. The contact data are placeholders of the reserved
// example domain and number ranges, not a real office.

namespace kurvex {

// Line 1 of the supplier notice (\xF6 and \xFC are o- and u-umlaut).
inline constexpr const char* kSupplierNoticeIntro = "Die Auswerte-Software Kurvex 4 k\xF6nnen Sie beziehen \xFC" "ber die";
inline constexpr const char* kSupplierName = "Ostwerk GmbH";
inline constexpr const char* kSupplierPhoneFax = "Tel. +49 (0)000 000000-0  Fax +49 (0)000 000000-9";
inline constexpr const char* kSupplierMail = "E-Mail: info@ostwerk.example";
inline constexpr const char* kSupplierWeb = "www.ostwerk.example";
inline constexpr const char* kSupplierWebLine = "Internet: www.ostwerk.example";
// Follows "Kurvex <version>" on the product note.
inline constexpr const char* kSupplierProductLine = "  Ostwerk GmbH  www.ostwerk.example";

}  // namespace kurvex
