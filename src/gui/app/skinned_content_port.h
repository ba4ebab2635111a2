#pragma once

#include "app/window_content.h"

class ButtonPages;
class Configuration;
class MacroPage;
class SkinnedContent;
class QWidget;

// The skinned content as the main window sees it.
class SkinnedContentPort final : public WindowContent
{
    Q_OBJECT
public:
    SkinnedContentPort(QWidget *client, Configuration &config);

    SkinnedContent &skin() { return *m_skin; }
    ButtonPages &buttons() { return *m_buttons; }
    // The macro page, nullptr until the window attached its editor.
    MacroPage *macroPage() const { return m_macroPage; }

    void stretchInputCover() override;
    void showFirstPage() override;
    void LoadSkinPictures() override;
    void ApplyWebLink() override;
    void ApplyLanguage(int language) override;
    void applyMacroRowHeight() override;
    void alignFireEdits() override;
    void languageButtonClick(int language) override;
    QString applicationTitle() const override;
    QString okButtonText() const override;

    void BeginBusy() override;
    void EndBusy() override;
    void showNoDeviceLabels(const NoDeviceLabels &labels) override;
    void HideAllMenu() override;
    void stopLabelRun() override;
    void hideAllPages() override;
    void clearMacroLists() override;
    void showMacroNames(const QStringList &names) override;
    void ShowDevicePages(bool familyA, bool familyB) override;
    void attachMacroPage(MacroEditor &editor) override;
    void clearMacroEditor() override;
    void showPressed(DeviceObserver::WriteButton button) override;
    void showFileButtonPressed(bool save) override;

    SkinSignals &signalSource() override;
    void attachSettingsPages() override;

private:
    void clearList(const QString &name);

    Configuration &m_config;
    SkinnedContent *m_skin = nullptr;
    ButtonPages *m_buttons = nullptr;
    MacroPage *m_macroPage = nullptr;
};
