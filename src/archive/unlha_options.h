#pragma once
// The archive component's enumerations and its two groups of switches, at
// their values at creation.
#include <set>

enum class TCommand {
    cmdAdd, cmdComment, cmdDelete, cmdExtract, cmdFreshen, cmdList, cmdMove,
    cmdRename, cmdPrint, cmdSfx, cmdTest, cmdUpdate, cmdView, cmdDirExtract,
};

enum class TExecMode { exForeGround, exBackGround };
enum class TOpCompType { ctLH0, ctLH1, ctLH5, ctLH6, ctLH7 };
enum class TOpLogDisp { ldFileOnly, ldPathName, ldDetail };
enum class TOpNameCheck { ncNormal, ncFullCompare, ncSubTree };
enum class TOpReSearch { rsCurrent, rsFileSearch, rsAllSearch };
enum class TOpUpdFile { ufNoUpdate, ufToLatest, ufToOld };
enum class TOpUpperCase { ucNoTrans, ucToUpper, ucToLower };
enum class TOpWinSfx { wsNone, wsDialog, wsNoDialog, wsDialog32, wsNoDialog32 };

// The questions the archiver answers with "yes" by itself.
enum class TOpDlgYesItem { dyDirectory, dyFileDelete, dyDiskSpace, dyNewFileName, dyReplaceFile };
using TOpDlgYes = std::set<TOpDlgYesItem>;

struct TOptions {
    bool OpAllAttr = false;
    TOpCompType OpCompType = TOpCompType::ctLH5;
    bool OpDictHalf = false;
    bool OpDirEffect = false;
    TOpDlgYes OpDlgYes;
    bool OpDskChk = true;
    TOpLogDisp OpLogDisp = TOpLogDisp::ldFileOnly;
    TOpNameCheck OpNameCheck = TOpNameCheck::ncNormal;
    TOpReSearch OpReSearch = TOpReSearch::rsCurrent;
    bool OpROot = true;
    bool OpShortFile = false;
    bool OpTmCheck = true;
    TOpUpdFile OpUpdFile = TOpUpdFile::ufToLatest;
    TOpUpperCase OpUpperCase = TOpUpperCase::ucNoTrans;
    TOpWinSfx OpWinSfx = TOpWinSfx::wsNone;
};

struct TDlgOptions {
    bool OpExtDlg = true;
    bool OpSkipDlg = true;
    bool OpErrorDlg = true;
    bool OpProcessDlg = true;
};
