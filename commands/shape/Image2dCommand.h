#pragma once
// Inserts a raster picture (PNG, JPEG, BMP, TIFF) into the active drawing between two corners. The file is
// chosen when the command starts; an unsupported kind of file does not start it. The preview is the
// rectangle between the corners; one picture ends the command.

#include "command/CommandBase.h"

namespace QZ2Command {

class Image2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(Image2dCommand)
public:
    enum : WORD { itemFirstCorner = 0, itemSecondCorner = 1 };

    Image2dCommand() = default;
    ~Image2dCommand() override;

    void SetupParameters() override;
    BOOL OnStart() override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;

    const CString& GetImagePath() const { return m_strPath; }

    // Calls up to the program's shell, set by the main frame. Without them the platform's dialog is used.
    struct ShellServices {
        // The program's open dialog for one file of the types of the filter mask (that entry chosen), with
        // the title; TRUE with the chosen path.
        BOOL (*pfnChooseFileToOpen)(DWORD dwFilterFlags, const CString& strTitle, CString& strPath) = nullptr;
    };
    static void SetShellServices(const ShellServices& services);

private:
    CString m_strPath;
};

}  // namespace QZ2Command
