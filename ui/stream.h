// The form description: reading, writing and the class registry (format: FORMAT.md).
#pragma once
#include <functional>
#include <string>

#include "ui/component.h"

namespace ui {

class HandlerTable;

// Registers a class for the description's "name: TClass {" blocks. The framework's
// own classes (TPanel, TSplitter, TTreeView, TImageList, TMainMenu, TPopupMenu,
// TMenuItem, TApplicationEvents) are registered on first use of the registry.
void registerClass(const ClassInfo& info);
void registerClass(const std::string& className, ClassInfo::Factory factory);
const ClassInfo* findClass(const std::string& className);
// Makes a component of a registered class; throws ui::Error when unknown.
Component* createComponent(const std::string& className, Component* owner);

// Reads a description onto root: the root block's properties go to root, nested
// blocks make owned components (parented to the block they are written in). Handlers
// for event properties come from handlers (may be null: events then must not be
// given). After reading: references are resolved, beforeLoaded(root) runs (scaling),
// then loaded() of every component made and of root. Throws ui::Error naming the line.
void readComponent(Component& root, const std::string& text, const HandlerTable* handlers,
                   const std::function<void()>& beforeLoaded = nullptr);
// Writes root and its components; only properties that differ from their stored
// defaults (and always-stored ones) are written.
std::string writeComponent(Component& root);

// The text of an RCDATA resource of the program; throws ui::Error when missing.
std::string resourceText(const std::string& resourceName);

}  // namespace ui
