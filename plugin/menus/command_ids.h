// Command identifiers of the plug-in's menu items, and the private messages
// that carry them from the browser's thread to the plug-in window.
#pragma once

#include <cstdint>

namespace zorbit {

constexpr uint32_t kDividerCommand = 100;         // divider picture on the bar
constexpr uint32_t kFirstCollectionCommand = 2998; // collection entry i: 2998 - i
constexpr uint32_t kAboutCommand = 2999;          // "About Zorbit"
constexpr uint32_t kDefinitionCommandBase = 3000; // definition entry j: 3000 + j

// Forwarding thresholds of the hooks: chosen commands above 2920 (collection
// indices 0 to 77, About, definitions), highlights above 2995.
constexpr uint32_t kCommandForwardThreshold = 2920;
constexpr uint16_t kSelectForwardThreshold = 2995;

constexpr uint32_t kPluginCommandMessage = 0x0400 + 10;  // WM_PLUGIN_COMMAND, 1034
constexpr uint32_t kPluginSelectMessage = 0x0400 + 11;   // WM_PLUGIN_SELECT, 1035

// WM_COMMAND and WM_MENUSELECT carry 16 bits of an item's identifier, so a
// larger one would reach the plug-in as another entry's. Such an item gets
// kNoCommand and is shown greyed.
constexpr uint32_t kLastCommand = 0xFFFF;
constexpr uint32_t kNoCommand = 0;
constexpr uint32_t kLastDefinitionIndex = kLastCommand - kDefinitionCommandBase;  // 62535
constexpr uint32_t kLastCollectionIndex = kFirstCollectionCommand;                // identifier 0

constexpr uint32_t CollectionCommand(uint32_t index) { return kFirstCollectionCommand - index; }
constexpr uint32_t DefinitionCommand(uint32_t index) { return kDefinitionCommandBase + index; }

}  // namespace zorbit

#define WM_PLUGIN_COMMAND (::zorbit::kPluginCommandMessage)
#define WM_PLUGIN_SELECT (::zorbit::kPluginSelectMessage)
