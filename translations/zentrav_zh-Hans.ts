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
    <message id="monitoring_count">
        <source>Monitoring %d</source>
        <translation>正在监控 %d 个</translation>
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
    <message id="process_count">
        <source>%d processes</source>
        <translation>%d 个进程</translation>
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
</context>
</TS>
