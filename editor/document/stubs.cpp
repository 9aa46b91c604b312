#include "editor/document/definition_document.h"

namespace zorbit {

const char* LineKindName(LineKind) { return ""; }
DefinitionPage NewPage(std::string_view) { return {}; }
const char* ProblemKindName(ProblemKind) { return ""; }
PageReading ReadPageBytes(std::string_view) { return {}; }
PageReading ReadPageFile(const std::string&) { return {}; }
std::string ComposePage(const DefinitionPage&) { return {}; }
std::string ComposeLine(const DefinitionLine&) { return {}; }
PageReading ReadEditedPage(const DefinitionPage&) { return {}; }
SaveCheck CheckSave(const DefinitionPage&) { return {}; }
std::string NearestStorable(LineKind, std::string_view, std::string_view text) { return std::string(text); }
bool ReplaceFileKeepingBackup(const std::string&, std::string_view, std::string&) { return false; }
SaveOutcome SavePage(const DefinitionPage&, const std::string&) { return {}; }
std::string FormatProblems(std::string_view, const std::vector<Problem>&) { return {}; }
std::string FormatMenus(const std::vector<MenuEntry>&) { return {}; }

}  // namespace zorbit
