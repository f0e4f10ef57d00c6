<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name></name>
    <message id="menu_about">
        <source>About Zentrav</source>
        <translation>About Zentrav</translation>
    </message>
    <message id="menu_hide">
        <source>Hide Zentrav</source>
        <translation>Hide Zentrav</translation>
    </message>
    <message id="menu_hide_others">
        <source>Hide Others</source>
        <translation>Hide Others</translation>
    </message>
    <message id="menu_show_all">
        <source>Show All</source>
        <translation>Show All</translation>
    </message>
    <message id="menu_quit">
        <source>Quit Zentrav</source>
        <translation>Quit Zentrav</translation>
    </message>
    <message id="menu_edit">
        <source>Edit</source>
        <translation>Edit</translation>
    </message>
    <message id="menu_cut">
        <source>Cut</source>
        <translation>Cut</translation>
    </message>
    <message id="menu_copy">
        <source>Copy</source>
        <translation>Copy</translation>
    </message>
    <message id="menu_paste">
        <source>Paste</source>
        <translation>Paste</translation>
    </message>
    <message id="menu_select_all">
        <source>Select All</source>
        <translation>Select All</translation>
    </message>
    <message id="menu_window">
        <source>Window</source>
        <translation>Window</translation>
    </message>
    <message id="menu_minimize">
        <source>Minimize</source>
        <translation>Minimize</translation>
    </message>
    <message id="menu_close">
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message id="version_format">
        <source>Version %s (%s)</source>
        <translation>Version %s (%s)</translation>
    </message>
    <message id="copyright">
        <source>Copyright © 2026 Zentrav. All rights reserved.</source>
        <translation>Copyright © 2026 Zentrav. All rights reserved.</translation>
    </message>
    <message id="stopped">
        <source>Stopped</source>
        <translation>Stopped</translation>
    </message>
    <message id="monitoring_count">
        <source>Monitoring %d</source>
        <translation>Monitoring %d</translation>
    </message>
    <message id="start">
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message id="stop">
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message id="scan_every">
        <source>Scan every</source>
        <translation>Scan every</translation>
    </message>
    <message id="clean_memory">
        <source>Clean Memory</source>
        <translation>Clean Memory</translation>
    </message>
    <message id="targets_tab">
        <source>Watch List</source>
        <translation>Watch List</translation>
    </message>
    <message id="browse_all_tab">
        <source>All Processes</source>
        <translation>All Processes</translation>
    </message>
    <message id="input_placeholder">
        <source>Process name to watch</source>
        <translation>Process name to watch</translation>
    </message>
    <message id="search_placeholder">
        <source>Search processes</source>
        <translation>Search processes</translation>
    </message>
    <message id="add_button">
        <source>Add</source>
        <translation>Add</translation>
    </message>
    <message id="no_processes_added">
        <source>No processes added yet</source>
        <translation>No processes added yet</translation>
    </message>
    <message id="process_count">
        <source>%d processes</source>
        <translation>%d processes</translation>
    </message>
    <message id="kill_log">
        <source>Kill Log</source>
        <translation>Kill Log</translation>
    </message>
    <message id="no_kills_yet">
        <source>No processes terminated yet</source>
        <translation>No processes terminated yet</translation>
    </message>
    <message id="export_log">
        <source>Export Logs</source>
        <translation>Export Logs</translation>
    </message>
    <message id="clear_log">
        <source>Clear Logs</source>
        <translation>Clear Logs</translation>
    </message>
    <message id="launch_at_login">
        <source>Launch at Login</source>
        <translation>Launch at Login</translation>
    </message>
    <message id="export_targets">
        <source>Export Watch List…</source>
        <translation>Export Watch List…</translation>
    </message>
    <message id="import_targets">
        <source>Import Watch List…</source>
        <translation>Import Watch List…</translation>
    </message>
    <message id="export_all_title">
        <source>Export All Logs</source>
        <translation>Export All Logs</translation>
    </message>
    <message id="msg_killed">
        <source>Terminated</source>
        <translation>Terminated</translation>
    </message>
    <message id="msg_force_killed">
        <source>Force killed</source>
        <translation>Force killed</translation>
    </message>
    <message id="msg_already_exited">
        <source>Already exited</source>
        <translation>Already exited</translation>
    </message>
    <message id="msg_no_permission">
        <source>No permission</source>
        <translation>No permission</translation>
    </message>
    <message id="msg_failed">
        <source>Failed (error %d)</source>
        <translation>Failed (error %d)</translation>
    </message>
</context>
</TS>
