// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "app/Form1.h"
#include "app/MainWindowPort.h"

#include <QMainWindow>
#include <array>
#include <map>

class QLabel;
class QPushButton;

namespace tallywick {

class ListBoxView;
class PartnerListModel;

// Form1's window in Qt Widgets: built from the control table and the menu
// tree, every event forwarded to Form1. It holds no behaviour of its own.
class MainWindow final : public QMainWindow, public MainWindowPort {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    void attach(Form1& form) { form_ = &form; }
    // The first placement, centred on the primary screen, where the window
    // system lets a program place its windows.
    void centreOnScreen();

    void fillList(ControlId list, ListEntries entries) override;
    [[nodiscard]] std::size_t listCount(ControlId list) const override;
    [[nodiscard]] int selectedIndex(ControlId list) const override;
    void setCaption(ControlId label, const std::string& text) override;
    void minimise() override;
    [[nodiscard]] WindowHandle mainWindow() const override;
    [[nodiscard]] WindowHandle activeWindow() const override;
    [[nodiscard]] WindowHandle desktopWindow() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void createMenus();
    void createTabOrder();
    void clicked(ControlId button);
    void chosen(const MenuItemSpec& item);
    void finish(HandlerOutcome outcome);
    void nameListAfter(const QLabel* caption);
    [[nodiscard]] ListBoxView* listView(ControlId list) const;
    [[nodiscard]] PartnerListModel* listModel(ControlId list) const;

    Form1* form_ = nullptr;
    QWidget* client_ = nullptr;
    // Every control, by its row of the control table.
    std::array<QWidget*, kControlTable.size()> controls_{};
    std::map<QString, QPushButton*> buttonsByAccessKey_;
};

} // namespace tallywick
