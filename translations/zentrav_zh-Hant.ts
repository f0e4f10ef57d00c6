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
    <message id="monitoring_count" numerus="yes">
        <source>Monitoring %n entries</source>
        <translation>
            <numerusform>正在監控 %n 個項目</numerusform>
        </translation>
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
    <message id="process_count" numerus="yes">
        <source>%n processes</source>
        <translation>
            <numerusform>%n 個處理程序</numerusform>
        </translation>
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
    <message id="settings_button">
        <source>Settings</source>
        <translation>設定</translation>
    </message>
    <message id="a11y_enabled">
        <source>Enabled: %s</source>
        <translation>已啟用：%s</translation>
    </message>
    <message id="a11y_remove">
        <source>Remove %s</source>
        <translation>移除 %s</translation>
    </message>
    <message id="a11y_watch">
        <source>Watch %s</source>
        <translation>監控 %s</translation>
    </message>
    <message id="a11y_watched">
        <source>%s is on the watch list</source>
        <translation>%s 已在監控清單中</translation>
    </message>
    <message id="a11y_fuzzy">
        <source>Fuzzy match</source>
        <translation>模糊比對</translation>
    </message>
    <message id="a11y_exact">
        <source>Exact match</source>
        <translation>完全比對</translation>
    </message>
    <message id="tip_fuzzy">
        <source>Matches every process whose name contains this text, ignoring case</source>
        <translation>符合名稱中含有此文字的所有處理程序（不區分大小寫）</translation>
    </message>
    <message id="tip_exact">
        <source>Matches only a process with exactly this name</source>
        <translation>只符合名稱完全相同的處理程序</translation>
    </message>
    <message id="a11y_origin_system">
        <source>System process</source>
        <translation>系統處理程序</translation>
    </message>
    <message id="a11y_origin_own">
        <source>Your process</source>
        <translation>您的處理程序</translation>
    </message>
    <message id="a11y_origin_unknown">
        <source>Unknown origin</source>
        <translation>來源不明</translation>
    </message>
    <message id="tip_origin_system">
        <source>SYS: runs as another user, such as root</source>
        <translation>SYS：以其他使用者（例如 root）的身分執行</translation>
    </message>
    <message id="tip_origin_own">
        <source>3RD: runs as you</source>
        <translation>3RD：以您的身分執行</translation>
    </message>
    <message id="a11y_filter_all">
        <source>Show all processes</source>
        <translation>顯示所有處理程序</translation>
    </message>
    <message id="a11y_filter_system">
        <source>Show system processes</source>
        <translation>顯示系統處理程序</translation>
    </message>
    <message id="a11y_filter_own">
        <source>Show your processes</source>
        <translation>顯示您的處理程序</translation>
    </message>
    <message id="a11y_status_on">
        <source>Monitoring is on</source>
        <translation>監控已開啟</translation>
    </message>
    <message id="a11y_status_off">
        <source>Monitoring is off</source>
        <translation>監控已關閉</translation>
    </message>
    <message id="a11y_self_memory">
        <source>Memory used by Zentrav: %s</source>
        <translation>Zentrav 使用的記憶體：%s</translation>
    </message>
    <message id="tip_self_memory">
        <source>Memory Zentrav itself is using</source>
        <translation>Zentrav 本身正在使用的記憶體</translation>
    </message>
    <message id="tip_clean_memory">
        <source>Saves the kill log to disk and gives memory Zentrav no longer needs back to the system</source>
        <translation>將終止記錄存到磁碟，並把 Zentrav 不再需要的記憶體歸還給系統</translation>
    </message>
    <message id="a11y_memory">
        <source>Memory: %s</source>
        <translation>記憶體：%s</translation>
    </message>
    <message id="a11y_kill_ok">
        <source>Succeeded</source>
        <translation>成功</translation>
    </message>
    <message id="a11y_kill_failed">
        <source>Failed</source>
        <translation>失敗</translation>
    </message>
    <message id="a11y_interval" numerus="yes">
        <source>Every %n seconds</source>
        <translation>
            <numerusform>每 %n 秒</numerusform>
        </translation>
    </message>
    <message id="a11y_split">
        <source>Lists and kill log</source>
        <translation>清單與終止記錄</translation>
    </message>
    <message id="a11y_menu_bar">
        <source>Main menu</source>
        <translation>主選單</translation>
    </message>
    <message id="preview_matches" numerus="yes">
        <source>Matches %n running processes: %s</source>
        <translation>
            <numerusform>符合 %n 個執行中的程序：%s</numerusform>
        </translation>
    </message>
    <message id="preview_no_match">
        <source>Matches no running process</source>
        <translation>沒有符合的執行中程序</translation>
    </message>
    <message id="preview_left_alone" numerus="yes">
        <source>(%n session processes left alone)</source>
        <translation>
            <numerusform>（%n 個工作階段程序不受影響）</numerusform>
        </translation>
    </message>
    <message id="tip_session_process">
        <source>Part of your session: Zentrav leaves it alone</source>
        <translation>屬於你的工作階段：Zentrav 不會結束它</translation>
    </message>
    <message id="notice_targets_exported" numerus="yes">
        <source>Exported %n entries to %s</source>
        <translation>
            <numerusform>已將 %n 個項目匯出至 %s</numerusform>
        </translation>
    </message>
    <message id="notice_logs_exported" numerus="yes">
        <source>Exported %n kill-log entries to %s</source>
        <translation>
            <numerusform>已將 %n 筆記錄匯出至 %s</numerusform>
        </translation>
    </message>
    <message id="notice_watch_list_empty">
        <source>The watch list is empty: nothing to export</source>
        <translation>監控清單是空的，沒有可匯出的內容</translation>
    </message>
    <message id="notice_kill_log_empty">
        <source>The kill log is empty: nothing to export</source>
        <translation>記錄是空的，沒有可匯出的內容</translation>
    </message>
    <message id="notice_export_failed">
        <source>Could not export to %1$s: %2$s</source>
        <translation>無法匯出至 %1$s：%2$s</translation>
    </message>
    <message id="notice_imported" numerus="yes">
        <source>Imported %n entries</source>
        <translation>
            <numerusform>已匯入 %n 個項目</numerusform>
        </translation>
    </message>
    <message id="notice_also_listed" numerus="yes">
        <source>; %n were already listed</source>
        <translation>
            <numerusform>（%n 個已在清單中）</numerusform>
        </translation>
    </message>
    <message id="notice_all_listed" numerus="yes">
        <source>Nothing imported: all %n entries were already listed</source>
        <translation>
            <numerusform>未匯入任何項目：%n 個項目都已在清單中</numerusform>
        </translation>
    </message>
    <message id="notice_import_empty">
        <source>Nothing imported: %s lists no entries</source>
        <translation>未匯入任何項目：%s 沒有任何項目</translation>
    </message>
    <message id="notice_import_unreadable">
        <source>Nothing imported: %s could not be read</source>
        <translation>未匯入任何項目：無法讀取 %s</translation>
    </message>
    <message id="notice_import_invalid">
        <source>Nothing imported: %s is not a Zentrav watch list</source>
        <translation>未匯入任何項目：%s 不是 Zentrav 監控清單</translation>
    </message>
    <message id="notice_settings_not_saved">
        <source>The watch list could not be saved; Zentrav keeps trying</source>
        <translation>無法儲存監控清單，Zentrav 會持續重試</translation>
    </message>
    <message id="notice_day_file_refused">
        <source>Could not write %1$s; its entries go to %2$s</source>
        <translation>無法寫入 %1$s，記錄改存至 %2$s</translation>
    </message>
    <message id="notice_log_not_saved" numerus="yes">
        <source>%n kill-log entries could not be saved; Zentrav keeps trying</source>
        <translation>
            <numerusform>無法儲存 %n 筆記錄，Zentrav 會持續重試</numerusform>
        </translation>
    </message>
    <message id="notice_logs_trashed" numerus="yes">
        <source>Moved %n day files to the trash</source>
        <translation>
            <numerusform>已將 %n 個每日記錄檔移至垃圾桶</numerusform>
        </translation>
    </message>
    <message id="notice_also_deleted" numerus="yes">
        <source>; %n deleted, as they could not go to the trash</source>
        <translation>
            <numerusform>（%n 個無法移至垃圾桶，已刪除）</numerusform>
        </translation>
    </message>
    <message id="notice_logs_deleted" numerus="yes">
        <source>Deleted %n day files (there is no trash here)</source>
        <translation>
            <numerusform>已刪除 %n 個每日記錄檔（此處沒有垃圾桶）</numerusform>
        </translation>
    </message>
    <message id="notice_logs_none">
        <source>There are no saved kill-log entries to clear</source>
        <translation>沒有可清除的已儲存記錄</translation>
    </message>
    <message id="notice_logs_restored" numerus="yes">
        <source>Restored %n day files</source>
        <translation>
            <numerusform>已還原 %n 個每日記錄檔</numerusform>
        </translation>
    </message>
    <message id="notice_not_restored" numerus="yes">
        <source>; %n could not be restored</source>
        <translation>
            <numerusform>（%n 個無法還原）</numerusform>
        </translation>
    </message>
    <message id="notice_undo">
        <source>Undo</source>
        <translation>復原</translation>
    </message>
    <message id="a11y_dismiss">
        <source>Dismiss</source>
        <translation>關閉</translation>
    </message>
    <message id="kill_log_saved">
        <source>Earlier entries are saved in the day files</source>
        <translation>先前的記錄已儲存在每日記錄檔中</translation>
    </message>
    <message id="kill_log_unsaved" numerus="yes">
        <source>%n earlier entries are not saved yet; Zentrav keeps trying</source>
        <translation>
            <numerusform>先前的 %n 筆記錄尚未儲存，Zentrav 會持續重試</numerusform>
        </translation>
    </message>
    <message id="menu_kill_history">
        <source>Kill History…</source>
        <translation>終止歷史…</translation>
    </message>
    <message id="history_title">
        <source>Kill History</source>
        <translation>終止歷史</translation>
    </message>
    <message id="history_search">
        <source>Search by process name</source>
        <translation>依處理程序名稱搜尋</translation>
    </message>
    <message id="history_today">
        <source>Today</source>
        <translation>今天</translation>
    </message>
    <message id="history_7_days">
        <source>7 Days</source>
        <translation>7 天</translation>
    </message>
    <message id="history_30_days">
        <source>30 Days</source>
        <translation>30 天</translation>
    </message>
    <message id="history_all">
        <source>All</source>
        <translation>全部</translation>
    </message>
    <message id="history_export">
        <source>Export…</source>
        <translation>匯出…</translation>
    </message>
    <message id="history_export_tip">
        <source>Save the entries shown as one JSON file</source>
        <translation>將顯示的項目儲存為一個 JSON 檔案</translation>
    </message>
    <message id="history_export_title">
        <source>Export Kill Log Entries Shown</source>
        <translation>匯出顯示的終止記錄</translation>
    </message>
    <message id="history_entries">
        <source>Kill log entries</source>
        <translation>終止記錄項目</translation>
    </message>
    <message id="history_totals">
        <source>Totals per process</source>
        <translation>依處理程序合計</translation>
    </message>
    <message id="history_chart">
        <source>Attempts per day</source>
        <translation>每日嘗試次數</translation>
    </message>
    <message id="history_chart_none">
        <source>No attempts in this range</source>
        <translation>此範圍內沒有嘗試</translation>
    </message>
    <message id="history_chart_summary" numerus="yes">
        <source>%n attempts from %1$s to %2$s.</source>
        <translation>
            <numerusform>%1$s 至 %2$s 共嘗試 %n 次。</numerusform>
        </translation>
    </message>
    <message id="history_chart_peak" numerus="yes">
        <source>Most on %s: %n.</source>
        <translation>
            <numerusform>最多的一天是 %s：%n 次。</numerusform>
        </translation>
    </message>
    <message id="history_day_attempts" numerus="yes">
        <source>%s: %n attempts</source>
        <translation>
            <numerusform>%s：%n 次</numerusform>
        </translation>
    </message>
    <message id="history_count" numerus="yes">
        <source>%n attempts</source>
        <translation>
            <numerusform>%n 次</numerusform>
        </translation>
    </message>
    <message id="history_time">
        <source>Date and Time</source>
        <translation>日期和時間</translation>
    </message>
    <message id="history_outcome">
        <source>Outcome</source>
        <translation>結果</translation>
    </message>
    <message id="history_process">
        <source>Process</source>
        <translation>處理程序</translation>
    </message>
    <message id="history_pid">
        <source>PID</source>
        <translation>PID</translation>
    </message>
    <message id="history_memory">
        <source>Memory</source>
        <translation>記憶體</translation>
    </message>
    <message id="history_message">
        <source>Message</source>
        <translation>訊息</translation>
    </message>
    <message id="history_attempts">
        <source>Attempts</source>
        <translation>嘗試</translation>
    </message>
    <message id="history_ended">
        <source>Ended</source>
        <translation>已終止</translation>
    </message>
    <message id="history_failed">
        <source>Failed</source>
        <translation>失敗</translation>
    </message>
    <message id="history_last_seen">
        <source>Last Seen</source>
        <translation>最近一次</translation>
    </message>
    <message id="history_reading" numerus="yes">
        <source>Reading day files… %n entries so far</source>
        <translation>
            <numerusform>正在讀取每日檔案… 目前 %n 個項目</numerusform>
        </translation>
    </message>
    <message id="history_shown" numerus="yes">
        <source>%n entries shown</source>
        <translation>
            <numerusform>顯示 %n 個項目</numerusform>
        </translation>
    </message>
    <message id="history_files" numerus="yes">
        <source>%n day files</source>
        <translation>
            <numerusform>%n 個每日檔案</numerusform>
        </translation>
    </message>
    <message id="history_damaged" numerus="yes">
        <source>Could not read %n day files, left as they are: %s</source>
        <translation>
            <numerusform>無法讀取 %n 個每日檔案（保持原樣）：%s</numerusform>
        </translation>
    </message>
    <message id="history_link">
        <source>Show earlier entries in Kill History</source>
        <translation>在終止歷史中檢視較早的項目</translation>
    </message>
    <message id="history_tables">
        <source>Entries and totals</source>
        <translation>項目和合計</translation>
    </message>
    <message id="start_at_launch">
        <source>Start Monitoring at Launch</source>
        <translation>啟動時開始監控</translation>
    </message>
    <message id="notify_when_ended">
        <source>Notify When Processes Are Ended</source>
        <translation>終止處理程序時通知</translation>
    </message>
    <message id="notify_ended" numerus="yes">
        <source>Ended %n processes</source>
        <translation>
            <numerusform>已終止 %n 個處理程序</numerusform>
        </translation>
    </message>
    <message id="notify_show_history">
        <source>Show Kill History</source>
        <translation>顯示終止歷史</translation>
    </message>
</context>
</TS>
