<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
<context>
    <name></name>
    <message id="menu_about">
        <source>About Zentrav</source>
        <translation>关于 Zentrav</translation>
    </message>
    <message id="menu_hide">
        <source>Hide Zentrav</source>
        <translation>隐藏 Zentrav</translation>
    </message>
    <message id="menu_hide_others">
        <source>Hide Others</source>
        <translation>隐藏其他</translation>
    </message>
    <message id="menu_show_all">
        <source>Show All</source>
        <translation>全部显示</translation>
    </message>
    <message id="menu_quit">
        <source>Quit Zentrav</source>
        <translation>退出 Zentrav</translation>
    </message>
    <message id="menu_edit">
        <source>Edit</source>
        <translation>编辑</translation>
    </message>
    <message id="menu_cut">
        <source>Cut</source>
        <translation>剪切</translation>
    </message>
    <message id="menu_copy">
        <source>Copy</source>
        <translation>复制</translation>
    </message>
    <message id="menu_paste">
        <source>Paste</source>
        <translation>粘贴</translation>
    </message>
    <message id="menu_select_all">
        <source>Select All</source>
        <translation>全选</translation>
    </message>
    <message id="menu_window">
        <source>Window</source>
        <translation>窗口</translation>
    </message>
    <message id="menu_minimize">
        <source>Minimize</source>
        <translation>最小化</translation>
    </message>
    <message id="menu_close">
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message id="version_format">
        <source>Version %s (%s)</source>
        <translation>版本 %s (%s)</translation>
    </message>
    <message id="copyright">
        <source>Copyright © 2026 Zentrav. All rights reserved.</source>
        <translation>Copyright © 2026 Zentrav。保留所有权利。</translation>
    </message>
    <message id="stopped">
        <source>Stopped</source>
        <translation>已停止</translation>
    </message>
    <message id="monitoring_count" numerus="yes">
        <source>Monitoring %n entries</source>
        <translation>
            <numerusform>正在监控 %n 个项目</numerusform>
        </translation>
    </message>
    <message id="start">
        <source>Start</source>
        <translation>开始</translation>
    </message>
    <message id="stop">
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message id="scan_every">
        <source>Scan every</source>
        <translation>扫描间隔</translation>
    </message>
    <message id="clean_memory">
        <source>Clean Memory</source>
        <translation>释放内存</translation>
    </message>
    <message id="targets_tab">
        <source>Watch List</source>
        <translation>监控列表</translation>
    </message>
    <message id="browse_all_tab">
        <source>All Processes</source>
        <translation>所有进程</translation>
    </message>
    <message id="input_placeholder">
        <source>Process name to watch</source>
        <translation>要监控的进程名称</translation>
    </message>
    <message id="search_placeholder">
        <source>Search processes</source>
        <translation>搜索进程</translation>
    </message>
    <message id="add_button">
        <source>Add</source>
        <translation>添加</translation>
    </message>
    <message id="no_processes_added">
        <source>No processes added yet</source>
        <translation>尚未添加任何进程</translation>
    </message>
    <message id="process_count" numerus="yes">
        <source>%n processes</source>
        <translation>
            <numerusform>%n 个进程</numerusform>
        </translation>
    </message>
    <message id="kill_log">
        <source>Kill Log</source>
        <translation>终止日志</translation>
    </message>
    <message id="no_kills_yet">
        <source>No processes terminated yet</source>
        <translation>尚未终止任何进程</translation>
    </message>
    <message id="export_log">
        <source>Export Logs</source>
        <translation>导出日志</translation>
    </message>
    <message id="clear_log">
        <source>Clear Logs</source>
        <translation>清除日志</translation>
    </message>
    <message id="launch_at_login">
        <source>Launch at Login</source>
        <translation>登录时启动</translation>
    </message>
    <message id="export_targets">
        <source>Export Watch List…</source>
        <translation>导出监控列表…</translation>
    </message>
    <message id="import_targets">
        <source>Import Watch List…</source>
        <translation>导入监控列表…</translation>
    </message>
    <message id="export_all_title">
        <source>Export All Logs</source>
        <translation>导出所有日志</translation>
    </message>
    <message id="msg_killed">
        <source>Terminated</source>
        <translation>已终止</translation>
    </message>
    <message id="msg_force_killed">
        <source>Force killed</source>
        <translation>已强制终止</translation>
    </message>
    <message id="msg_already_exited">
        <source>Already exited</source>
        <translation>已自行退出</translation>
    </message>
    <message id="msg_no_permission">
        <source>No permission</source>
        <translation>权限不足</translation>
    </message>
    <message id="msg_failed">
        <source>Failed (error %d)</source>
        <translation>失败（错误 %d）</translation>
    </message>
    <message id="settings_button">
        <source>Settings</source>
        <translation>设置</translation>
    </message>
    <message id="a11y_enabled">
        <source>Enabled: %s</source>
        <translation>已启用：%s</translation>
    </message>
    <message id="a11y_remove">
        <source>Remove %s</source>
        <translation>移除 %s</translation>
    </message>
    <message id="a11y_watch">
        <source>Watch %s</source>
        <translation>监控 %s</translation>
    </message>
    <message id="a11y_watched">
        <source>%s is on the watch list</source>
        <translation>%s 已在监控列表中</translation>
    </message>
    <message id="a11y_fuzzy">
        <source>Fuzzy match</source>
        <translation>模糊匹配</translation>
    </message>
    <message id="a11y_exact">
        <source>Exact match</source>
        <translation>完全匹配</translation>
    </message>
    <message id="tip_fuzzy">
        <source>Matches every process whose name contains this text, ignoring case</source>
        <translation>匹配名称中包含此文本的所有进程（不区分大小写）</translation>
    </message>
    <message id="tip_exact">
        <source>Matches only a process with exactly this name</source>
        <translation>仅匹配名称完全相同的进程</translation>
    </message>
    <message id="a11y_origin_system">
        <source>System process</source>
        <translation>系统进程</translation>
    </message>
    <message id="a11y_origin_own">
        <source>Your process</source>
        <translation>你的进程</translation>
    </message>
    <message id="a11y_origin_unknown">
        <source>Unknown origin</source>
        <translation>来源未知</translation>
    </message>
    <message id="tip_origin_system">
        <source>SYS: runs as another user, such as root</source>
        <translation>SYS：以其他用户（例如 root）的身份运行</translation>
    </message>
    <message id="tip_origin_own">
        <source>3RD: runs as you</source>
        <translation>3RD：以你的身份运行</translation>
    </message>
    <message id="a11y_filter_all">
        <source>Show all processes</source>
        <translation>显示所有进程</translation>
    </message>
    <message id="a11y_filter_system">
        <source>Show system processes</source>
        <translation>显示系统进程</translation>
    </message>
    <message id="a11y_filter_own">
        <source>Show your processes</source>
        <translation>显示你的进程</translation>
    </message>
    <message id="a11y_status_on">
        <source>Monitoring is on</source>
        <translation>监控已开启</translation>
    </message>
    <message id="a11y_status_off">
        <source>Monitoring is off</source>
        <translation>监控已关闭</translation>
    </message>
    <message id="a11y_self_memory">
        <source>Memory used by Zentrav: %s</source>
        <translation>Zentrav 使用的内存：%s</translation>
    </message>
    <message id="tip_self_memory">
        <source>Memory Zentrav itself is using</source>
        <translation>Zentrav 自身正在使用的内存</translation>
    </message>
    <message id="tip_clean_memory">
        <source>Saves the kill log to disk and gives memory Zentrav no longer needs back to the system</source>
        <translation>将终止日志保存到磁盘，并把 Zentrav 不再需要的内存归还给系统</translation>
    </message>
    <message id="a11y_memory">
        <source>Memory: %s</source>
        <translation>内存：%s</translation>
    </message>
    <message id="a11y_kill_ok">
        <source>Succeeded</source>
        <translation>成功</translation>
    </message>
    <message id="a11y_kill_failed">
        <source>Failed</source>
        <translation>失败</translation>
    </message>
    <message id="a11y_interval" numerus="yes">
        <source>Every %n seconds</source>
        <translation>
            <numerusform>每 %n 秒</numerusform>
        </translation>
    </message>
    <message id="a11y_split">
        <source>Lists and kill log</source>
        <translation>列表与终止日志</translation>
    </message>
    <message id="a11y_menu_bar">
        <source>Main menu</source>
        <translation>主菜单</translation>
    </message>
    <message id="preview_matches" numerus="yes">
        <source>Matches %n running processes: %s</source>
        <translation>
            <numerusform>匹配 %n 个正在运行的进程：%s</numerusform>
        </translation>
    </message>
    <message id="preview_no_match">
        <source>Matches no running process</source>
        <translation>没有匹配的正在运行的进程</translation>
    </message>
    <message id="preview_left_alone" numerus="yes">
        <source>(%n session processes left alone)</source>
        <translation>
            <numerusform>（%n 个会话进程不受影响）</numerusform>
        </translation>
    </message>
    <message id="tip_session_process">
        <source>Part of your session: Zentrav leaves it alone</source>
        <translation>属于你的会话：Zentrav 不会结束它</translation>
    </message>
    <message id="notice_targets_exported" numerus="yes">
        <source>Exported %n entries to %s</source>
        <translation>
            <numerusform>已将 %n 个条目导出到 %s</numerusform>
        </translation>
    </message>
    <message id="notice_logs_exported" numerus="yes">
        <source>Exported %n kill-log entries to %s</source>
        <translation>
            <numerusform>已将 %n 条日志导出到 %s</numerusform>
        </translation>
    </message>
    <message id="notice_watch_list_empty">
        <source>The watch list is empty: nothing to export</source>
        <translation>监控列表为空，没有可导出的内容</translation>
    </message>
    <message id="notice_kill_log_empty">
        <source>The kill log is empty: nothing to export</source>
        <translation>日志为空，没有可导出的内容</translation>
    </message>
    <message id="notice_export_failed">
        <source>Could not export to %1$s: %2$s</source>
        <translation>无法导出到 %1$s：%2$s</translation>
    </message>
    <message id="notice_imported" numerus="yes">
        <source>Imported %n entries</source>
        <translation>
            <numerusform>已导入 %n 个条目</numerusform>
        </translation>
    </message>
    <message id="notice_also_listed" numerus="yes">
        <source>; %n were already listed</source>
        <translation>
            <numerusform>（%n 个已在列表中）</numerusform>
        </translation>
    </message>
    <message id="notice_all_listed" numerus="yes">
        <source>Nothing imported: all %n entries were already listed</source>
        <translation>
            <numerusform>未导入任何条目：%n 个条目都已在列表中</numerusform>
        </translation>
    </message>
    <message id="notice_import_empty">
        <source>Nothing imported: %s lists no entries</source>
        <translation>未导入任何条目：%s 中没有条目</translation>
    </message>
    <message id="notice_import_unreadable">
        <source>Nothing imported: %s could not be read</source>
        <translation>未导入任何条目：无法读取 %s</translation>
    </message>
    <message id="notice_import_invalid">
        <source>Nothing imported: %s is not a Zentrav watch list</source>
        <translation>未导入任何条目：%s 不是 Zentrav 监控列表</translation>
    </message>
    <message id="notice_settings_not_saved">
        <source>The watch list could not be saved; Zentrav keeps trying</source>
        <translation>无法保存监控列表，Zentrav 会持续重试</translation>
    </message>
    <message id="notice_day_file_refused">
        <source>Could not write %1$s; its entries go to %2$s</source>
        <translation>无法写入 %1$s，日志改存到 %2$s</translation>
    </message>
    <message id="notice_log_not_saved" numerus="yes">
        <source>%n kill-log entries could not be saved; Zentrav keeps trying</source>
        <translation>
            <numerusform>无法保存 %n 条日志，Zentrav 会持续重试</numerusform>
        </translation>
    </message>
    <message id="notice_logs_trashed" numerus="yes">
        <source>Moved %n day files to the trash</source>
        <translation>
            <numerusform>已将 %n 个每日日志文件移到回收站</numerusform>
        </translation>
    </message>
    <message id="notice_also_deleted" numerus="yes">
        <source>; %n deleted, as they could not go to the trash</source>
        <translation>
            <numerusform>（%n 个无法移到回收站，已删除）</numerusform>
        </translation>
    </message>
    <message id="notice_logs_deleted" numerus="yes">
        <source>Deleted %n day files (there is no trash here)</source>
        <translation>
            <numerusform>已删除 %n 个每日日志文件（此处没有回收站）</numerusform>
        </translation>
    </message>
    <message id="notice_logs_none">
        <source>There are no saved kill-log entries to clear</source>
        <translation>没有可清除的已保存日志</translation>
    </message>
    <message id="notice_logs_restored" numerus="yes">
        <source>Restored %n day files</source>
        <translation>
            <numerusform>已恢复 %n 个每日日志文件</numerusform>
        </translation>
    </message>
    <message id="notice_not_restored" numerus="yes">
        <source>; %n could not be restored</source>
        <translation>
            <numerusform>（%n 个无法恢复）</numerusform>
        </translation>
    </message>
    <message id="notice_undo">
        <source>Undo</source>
        <translation>撤销</translation>
    </message>
    <message id="a11y_dismiss">
        <source>Dismiss</source>
        <translation>关闭</translation>
    </message>
    <message id="kill_log_saved">
        <source>Earlier entries are saved in the day files</source>
        <translation>之前的记录已保存在每日日志文件中</translation>
    </message>
    <message id="kill_log_unsaved" numerus="yes">
        <source>%n earlier entries are not saved yet; Zentrav keeps trying</source>
        <translation>
            <numerusform>之前的 %n 条记录尚未保存，Zentrav 会持续重试</numerusform>
        </translation>
    </message>
    <message id="menu_kill_history">
        <source>Kill History…</source>
        <translation>终止历史…</translation>
    </message>
    <message id="history_title">
        <source>Kill History</source>
        <translation>终止历史</translation>
    </message>
    <message id="history_search">
        <source>Search by process name</source>
        <translation>按进程名称搜索</translation>
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
        <translation>导出…</translation>
    </message>
    <message id="history_export_tip">
        <source>Save the entries shown as one JSON file</source>
        <translation>将显示的条目保存为一个 JSON 文件</translation>
    </message>
    <message id="history_export_title">
        <source>Export Kill Log Entries Shown</source>
        <translation>导出显示的终止日志</translation>
    </message>
    <message id="history_entries">
        <source>Kill log entries</source>
        <translation>终止日志条目</translation>
    </message>
    <message id="history_totals">
        <source>Totals per process</source>
        <translation>按进程合计</translation>
    </message>
    <message id="history_chart">
        <source>Attempts per day</source>
        <translation>每日尝试次数</translation>
    </message>
    <message id="history_chart_none">
        <source>No attempts in this range</source>
        <translation>此范围内没有尝试</translation>
    </message>
    <message id="history_chart_summary" numerus="yes">
        <source>%n attempts from %1$s to %2$s.</source>
        <translation>
            <numerusform>%1$s 至 %2$s 共尝试 %n 次。</numerusform>
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
        <translation>日期和时间</translation>
    </message>
    <message id="history_outcome">
        <source>Outcome</source>
        <translation>结果</translation>
    </message>
    <message id="history_process">
        <source>Process</source>
        <translation>进程</translation>
    </message>
    <message id="history_pid">
        <source>PID</source>
        <translation>PID</translation>
    </message>
    <message id="history_memory">
        <source>Memory</source>
        <translation>内存</translation>
    </message>
    <message id="history_message">
        <source>Message</source>
        <translation>消息</translation>
    </message>
    <message id="history_attempts">
        <source>Attempts</source>
        <translation>尝试</translation>
    </message>
    <message id="history_ended">
        <source>Ended</source>
        <translation>已终止</translation>
    </message>
    <message id="history_failed">
        <source>Failed</source>
        <translation>失败</translation>
    </message>
    <message id="history_last_seen">
        <source>Last Seen</source>
        <translation>最近一次</translation>
    </message>
    <message id="history_reading" numerus="yes">
        <source>Reading day files… %n entries so far</source>
        <translation>
            <numerusform>正在读取每日文件… 目前 %n 个条目</numerusform>
        </translation>
    </message>
    <message id="history_shown" numerus="yes">
        <source>%n entries shown</source>
        <translation>
            <numerusform>显示 %n 个条目</numerusform>
        </translation>
    </message>
    <message id="history_files" numerus="yes">
        <source>%n day files</source>
        <translation>
            <numerusform>%n 个每日文件</numerusform>
        </translation>
    </message>
    <message id="history_damaged" numerus="yes">
        <source>Could not read %n day files, left as they are: %s</source>
        <translation>
            <numerusform>无法读取 %n 个每日文件（保持原样）：%s</numerusform>
        </translation>
    </message>
    <message id="history_link">
        <source>Show earlier entries in Kill History</source>
        <translation>在终止历史中查看较早的条目</translation>
    </message>
    <message id="history_tables">
        <source>Entries and totals</source>
        <translation>条目和合计</translation>
    </message>
    <message id="start_at_launch">
        <source>Start Monitoring at Launch</source>
        <translation>启动时开始监控</translation>
    </message>
    <message id="notify_when_ended">
        <source>Notify When Processes Are Ended</source>
        <translation>终止进程时通知</translation>
    </message>
    <message id="notify_ended" numerus="yes">
        <source>Ended %n processes</source>
        <translation>
            <numerusform>已终止 %n 个进程</numerusform>
        </translation>
    </message>
    <message id="notify_show_history">
        <source>Show Kill History</source>
        <translation>显示终止历史</translation>
    </message>
</context>
</TS>
