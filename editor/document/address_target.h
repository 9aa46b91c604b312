// What the editor's Open Address hands the system: an item's address as
// the browser would follow it from the page.
#pragma once

#include <string>
#include <string_view>

// An address with a scheme ("https:", "mailto:") or a full file path
// stays as it is. A relative address is taken from the page's folder
// (`pagePath` names the page, as a Windows path): "news.htm" next to the
// page, "/news.htm" at the root of the page's drive, "../a/b.htm" a folder
// up. The result is a path, or a file: address when the relative address
// carries a query or a fragment. Empty when the address is relative and the
// page has no path yet, or the address is empty.
std::string ResolveAddress(const std::string& pagePath, std::string_view address);
