<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW" sourcelanguage="en">
<context>
    <name></name>
    <message id="menu_about">
        <source>About Zentrav</source>
        <translation>關於 Zentrav</translation>
    </message>
    <message id="menu_hide">
        <source>Hide Zentrav</source>
        <translation>隱藏 Zentrav</translation>
    </message>
    <message id="menu_hide_others">
        <source>Hide Others</source>
        <translation>隱藏其他</translation>
    </message>
    <message id="menu_show_all">
        <source>Show All</source>
        <translation>顯示全部</translation>
    </message>
    <message id="menu_quit">
        <source>Quit Zentrav</source>
        <translation>結束 Zentrav</translation>
    </message>
    <message id="menu_edit">
        <source>Edit</source>
        <translation>編輯</translation>
    </message>
    <message id="menu_cut">
        <source>Cut</source>
        <translation>剪下</translation>
    </message>
    <message id="menu_copy">
        <source>Copy</source>
        <translation>複製</translation>
    </message>
    <message id="menu_paste">
        <source>Paste</source>
        <translation>貼上</translation>
    </message>
    <message id="menu_select_all">
        <source>Select All</source>
        <translation>全選</translation>
    </message>
    <message id="menu_window">
        <source>Window</source>
        <translation>視窗</translation>
    </message>
    <message id="menu_minimize">
        <source>Minimize</source>
        <translation>最小化</translation>
    </message>
    <message id="menu_close">
        <source>Close</source>
        <translation>關閉</translation>
    </message>
    <message id="version_format">
        <source>Version %s (%s)</source>
        <translation>版本 %s (%s)</translation>
    </message>
    <message id="copyright">
        <source>Copyright © 2026 Zentrav. All rights reserved.</source>
        <translation>Copyright © 2026 Zentrav。保留一切權利。</translation>
    </message>
    <message id="stopped">
        <source>Stopped</source>
        <translation>已停止</translation>
    </message>
    <message id="monitoring_count">
        <source>Monitoring %d</source>
        <translation>正在監控 %d 個</translation>
    </message>
    <message id="start">
        <source>Start</source>
        <translation>開始</translation>
    </message>
    <message id="stop">
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message id="scan_every">
        <source>Scan every</source>
        <translation>掃描間隔</translation>
    </message>
    <message id="clean_memory">
        <source>Clean Memory</source>
        <translation>釋放記憶體</translation>
    </message>
    <message id="targets_tab">
        <source>Watch List</source>
        <translation>監控清單</translation>
    </message>
    <message id="browse_all_tab">
        <source>All Processes</source>
        <translation>所有處理程序</translation>
    </message>
    <message id="input_placeholder">
        <source>Process name to watch</source>
        <translation>要監控的處理程序名稱</translation>
    </message>
    <message id="search_placeholder">
        <source>Search processes</source>
        <translation>搜尋處理程序</translation>
    </message>
    <message id="add_button">
        <source>Add</source>
        <translation>加入</translation>
    </message>
    <message id="no_processes_added">
        <source>No processes added yet</source>
        <translation>尚未加入任何處理程序</translation>
    </message>
    <message id="process_count">
        <source>%d processes</source>
        <translation>%d 個處理程序</translation>
    </message>
    <message id="kill_log">
        <source>Kill Log</source>
        <translation>終止記錄</translation>
    </message>
    <message id="no_kills_yet">
        <source>No processes terminated yet</source>
        <translation>尚未終止任何處理程序</translation>
    </message>
    <message id="export_log">
        <source>Export Logs</source>
        <translation>匯出記錄</translation>
    </message>
    <message id="clear_log">
        <source>Clear Logs</source>
        <translation>清除記錄</translation>
    </message>
    <message id="launch_at_login">
        <source>Launch at Login</source>
        <translation>登入時啟動</translation>
    </message>
    <message id="export_targets">
        <source>Export Watch List…</source>
        <translation>匯出監控清單…</translation>
    </message>
    <message id="import_targets">
        <source>Import Watch List…</source>
        <translation>匯入監控清單…</translation>
    </message>
    <message id="export_all_title">
        <source>Export All Logs</source>
        <translation>匯出所有記錄</translation>
    </message>
    <message id="msg_killed">
        <source>Terminated</source>
        <translation>已終止</translation>
    </message>
    <message id="msg_force_killed">
        <source>Force killed</source>
        <translation>已強制終止</translation>
    </message>
    <message id="msg_already_exited">
        <source>Already exited</source>
        <translation>已自行結束</translation>
    </message>
    <message id="msg_no_permission">
        <source>No permission</source>
        <translation>權限不足</translation>
    </message>
    <message id="msg_failed">
        <source>Failed (error %d)</source>
        <translation>失敗（錯誤 %d）</translation>
    </message>
</context>
</TS>
