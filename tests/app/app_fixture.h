#pragma once
// Makes the real main window over the component doubles and serves its messages.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "app/win/main_form.h"
#include "app/win/platform_calls.h"
#include "component_doubles.h"

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Makes the window (FormCreate runs) and shows it (FormShow runs).
    void Open();
    void Pump();

    // Mouse and keyboard input posted to the tree, as the queue would bring it.
    POINT ItemCentre(int position);
    void Click(POINT at);
    void DoubleClick(POINT at);
    void ClickLesson(int lesson) { Click(ItemCentre(lesson - 1)); }
    void Key(WORD vk);
    // Presses and releases each key through the system's input queue.
    static void PressKeys(std::initializer_list<WORD> keys);
    void Command(ui::MenuItem* item);
    void RightClick(HWND target);

    HWND Tree() { return form->lbMenu->handle(); }
    std::wstring ItemText(HTREEITEM item);
    TVITEMW Item(HTREEITEM item);
    std::string Address(int lesson);

    std::unique_ptr<ComponentDoubles> doubles;
    TfrmMain* form = nullptr;
    std::vector<std::string> errors;      // texts of the standard error box
    std::vector<std::string> shellCalls;  // addresses handed to the shell
    std::function<int()> screenPixelsPerInch;  // the framework's density source, put back
};
