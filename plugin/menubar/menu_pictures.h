// Resource numbers of the menu-bar pictures in the plug-in's resources.
#pragma once

namespace zorbit {

constexpr int kCollectionFacePicture = 134;  // face of the collection popup
constexpr int kDividerPicture = 139;         // divider before the plug-in's menus
constexpr int kSpareFacePicture = 140;       // copy of 134, not loaded

}  // namespace zorbit
