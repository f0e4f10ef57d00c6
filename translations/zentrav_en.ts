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
    <message id="monitoring_count" numerus="yes">
        <source>Monitoring %n entries</source>
        <translation>
            <numerusform>Monitoring %n entry</numerusform>
            <numerusform>Monitoring %n entries</numerusform>
        </translation>
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
    <message id="process_count" numerus="yes">
        <source>%n processes</source>
        <translation>
            <numerusform>%n process</numerusform>
            <numerusform>%n processes</numerusform>
        </translation>
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
    <message id="settings_button">
        <source>Settings</source>
        <translation>Settings</translation>
    </message>
    <message id="a11y_enabled">
        <source>Enabled: %s</source>
        <translation>Enabled: %s</translation>
    </message>
    <message id="a11y_remove">
        <source>Remove %s</source>
        <translation>Remove %s</translation>
    </message>
    <message id="a11y_watch">
        <source>Watch %s</source>
        <translation>Watch %s</translation>
    </message>
    <message id="a11y_watched">
        <source>%s is on the watch list</source>
        <translation>%s is on the watch list</translation>
    </message>
    <message id="a11y_fuzzy">
        <source>Fuzzy match</source>
        <translation>Fuzzy match</translation>
    </message>
    <message id="a11y_exact">
        <source>Exact match</source>
        <translation>Exact match</translation>
    </message>
    <message id="tip_fuzzy">
        <source>Matches every process whose name contains this text, ignoring case</source>
        <translation>Matches every process whose name contains this text, ignoring case</translation>
    </message>
    <message id="tip_exact">
        <source>Matches only a process with exactly this name</source>
        <translation>Matches only a process with exactly this name</translation>
    </message>
    <message id="a11y_origin_system">
        <source>System process</source>
        <translation>System process</translation>
    </message>
    <message id="a11y_origin_own">
        <source>Your process</source>
        <translation>Your process</translation>
    </message>
    <message id="a11y_origin_unknown">
        <source>Unknown origin</source>
        <translation>Unknown origin</translation>
    </message>
    <message id="tip_origin_system">
        <source>SYS: runs as another user, such as root</source>
        <translation>SYS: runs as another user, such as root</translation>
    </message>
    <message id="tip_origin_own">
        <source>3RD: runs as you</source>
        <translation>3RD: runs as you</translation>
    </message>
    <message id="a11y_filter_all">
        <source>Show all processes</source>
        <translation>Show all processes</translation>
    </message>
    <message id="a11y_filter_system">
        <source>Show system processes</source>
        <translation>Show system processes</translation>
    </message>
    <message id="a11y_filter_own">
        <source>Show your processes</source>
        <translation>Show your processes</translation>
    </message>
    <message id="a11y_status_on">
        <source>Monitoring is on</source>
        <translation>Monitoring is on</translation>
    </message>
    <message id="a11y_status_off">
        <source>Monitoring is off</source>
        <translation>Monitoring is off</translation>
    </message>
    <message id="a11y_self_memory">
        <source>Memory used by Zentrav: %s</source>
        <translation>Memory used by Zentrav: %s</translation>
    </message>
    <message id="tip_self_memory">
        <source>Memory Zentrav itself is using</source>
        <translation>Memory Zentrav itself is using</translation>
    </message>
    <message id="tip_clean_memory">
        <source>Saves the kill log to disk and gives memory Zentrav no longer needs back to the system</source>
        <translation>Saves the kill log to disk and gives memory Zentrav no longer needs back to the system</translation>
    </message>
    <message id="a11y_memory">
        <source>Memory: %s</source>
        <translation>Memory: %s</translation>
    </message>
    <message id="a11y_kill_ok">
        <source>Succeeded</source>
        <translation>Succeeded</translation>
    </message>
    <message id="a11y_kill_failed">
        <source>Failed</source>
        <translation>Failed</translation>
    </message>
    <message id="a11y_interval" numerus="yes">
        <source>Every %n seconds</source>
        <translation>
            <numerusform>Every %n second</numerusform>
            <numerusform>Every %n seconds</numerusform>
        </translation>
    </message>
    <message id="a11y_split">
        <source>Lists and kill log</source>
        <translation>Lists and kill log</translation>
    </message>
    <message id="a11y_menu_bar">
        <source>Main menu</source>
        <translation>Main menu</translation>
    </message>
    <message id="preview_matches" numerus="yes">
        <source>Matches %n running processes: %s</source>
        <translation>
            <numerusform>Matches %n running process: %s</numerusform>
            <numerusform>Matches %n running processes: %s</numerusform>
        </translation>
    </message>
    <message id="preview_no_match">
        <source>Matches no running process</source>
        <translation>Matches no running process</translation>
    </message>
    <message id="preview_left_alone" numerus="yes">
        <source>(%n session processes left alone)</source>
        <translation>
            <numerusform>(%n session process left alone)</numerusform>
            <numerusform>(%n session processes left alone)</numerusform>
        </translation>
    </message>
    <message id="tip_session_process">
        <source>Part of your session: Zentrav leaves it alone</source>
        <translation>Part of your session: Zentrav leaves it alone</translation>
    </message>
    <message id="notice_targets_exported" numerus="yes">
        <source>Exported %n entries to %s</source>
        <translation>
            <numerusform>Exported %n entry to %s</numerusform>
            <numerusform>Exported %n entries to %s</numerusform>
        </translation>
    </message>
    <message id="notice_logs_exported" numerus="yes">
        <source>Exported %n kill-log entries to %s</source>
        <translation>
            <numerusform>Exported %n kill-log entry to %s</numerusform>
            <numerusform>Exported %n kill-log entries to %s</numerusform>
        </translation>
    </message>
    <message id="notice_watch_list_empty">
        <source>The watch list is empty: nothing to export</source>
        <translation>The watch list is empty: nothing to export</translation>
    </message>
    <message id="notice_kill_log_empty">
        <source>The kill log is empty: nothing to export</source>
        <translation>The kill log is empty: nothing to export</translation>
    </message>
    <message id="notice_export_failed">
        <source>Could not export to %1$s: %2$s</source>
        <translation>Could not export to %1$s: %2$s</translation>
    </message>
    <message id="notice_imported" numerus="yes">
        <source>Imported %n entries</source>
        <translation>
            <numerusform>Imported %n entry</numerusform>
            <numerusform>Imported %n entries</numerusform>
        </translation>
    </message>
    <message id="notice_also_listed" numerus="yes">
        <source>; %n were already listed</source>
        <translation>
            <numerusform>; %n was already listed</numerusform>
            <numerusform>; %n were already listed</numerusform>
        </translation>
    </message>
    <message id="notice_all_listed" numerus="yes">
        <source>Nothing imported: all %n entries were already listed</source>
        <translation>
            <numerusform>Nothing imported: the entry was already listed</numerusform>
            <numerusform>Nothing imported: all %n entries were already listed</numerusform>
        </translation>
    </message>
    <message id="notice_import_empty">
        <source>Nothing imported: %s lists no entries</source>
        <translation>Nothing imported: %s lists no entries</translation>
    </message>
    <message id="notice_import_unreadable">
        <source>Nothing imported: %s could not be read</source>
        <translation>Nothing imported: %s could not be read</translation>
    </message>
    <message id="notice_import_invalid">
        <source>Nothing imported: %s is not a Zentrav watch list</source>
        <translation>Nothing imported: %s is not a Zentrav watch list</translation>
    </message>
    <message id="notice_settings_not_saved">
        <source>The watch list could not be saved; Zentrav keeps trying</source>
        <translation>The watch list could not be saved; Zentrav keeps trying</translation>
    </message>
    <message id="notice_day_file_refused">
        <source>Could not write %1$s; its entries go to %2$s</source>
        <translation>Could not write %1$s; its entries go to %2$s</translation>
    </message>
    <message id="notice_log_not_saved" numerus="yes">
        <source>%n kill-log entries could not be saved; Zentrav keeps trying</source>
        <translation>
            <numerusform>%n kill-log entry could not be saved; Zentrav keeps trying</numerusform>
            <numerusform>%n kill-log entries could not be saved; Zentrav keeps trying</numerusform>
        </translation>
    </message>
    <message id="notice_logs_trashed" numerus="yes">
        <source>Moved %n day files to the trash</source>
        <translation>
            <numerusform>Moved %n day file to the trash</numerusform>
            <numerusform>Moved %n day files to the trash</numerusform>
        </translation>
    </message>
    <message id="notice_also_deleted" numerus="yes">
        <source>; %n deleted, as they could not go to the trash</source>
        <translation>
            <numerusform>; %n deleted, as it could not go to the trash</numerusform>
            <numerusform>; %n deleted, as they could not go to the trash</numerusform>
        </translation>
    </message>
    <message id="notice_logs_deleted" numerus="yes">
        <source>Deleted %n day files (there is no trash here)</source>
        <translation>
            <numerusform>Deleted %n day file (there is no trash here)</numerusform>
            <numerusform>Deleted %n day files (there is no trash here)</numerusform>
        </translation>
    </message>
    <message id="notice_logs_none">
        <source>There are no saved kill-log entries to clear</source>
        <translation>There are no saved kill-log entries to clear</translation>
    </message>
    <message id="notice_logs_restored" numerus="yes">
        <source>Restored %n day files</source>
        <translation>
            <numerusform>Restored %n day file</numerusform>
            <numerusform>Restored %n day files</numerusform>
        </translation>
    </message>
    <message id="notice_not_restored" numerus="yes">
        <source>; %n could not be restored</source>
        <translation>
            <numerusform>; %n could not be restored</numerusform>
            <numerusform>; %n could not be restored</numerusform>
        </translation>
    </message>
    <message id="notice_undo">
        <source>Undo</source>
        <translation>Undo</translation>
    </message>
    <message id="a11y_dismiss">
        <source>Dismiss</source>
        <translation>Dismiss</translation>
    </message>
    <message id="kill_log_saved">
        <source>Earlier entries are saved in the day files</source>
        <translation>Earlier entries are saved in the day files</translation>
    </message>
    <message id="kill_log_unsaved" numerus="yes">
        <source>%n earlier entries are not saved yet; Zentrav keeps trying</source>
        <translation>
            <numerusform>%n earlier entry is not saved yet; Zentrav keeps trying</numerusform>
            <numerusform>%n earlier entries are not saved yet; Zentrav keeps trying</numerusform>
        </translation>
    </message>
    <message id="menu_kill_history">
        <source>Kill History…</source>
        <translation>Kill History…</translation>
    </message>
    <message id="history_title">
        <source>Kill History</source>
        <translation>Kill History</translation>
    </message>
    <message id="history_search">
        <source>Search by process name</source>
        <translation>Search by process name</translation>
    </message>
    <message id="history_today">
        <source>Today</source>
        <translation>Today</translation>
    </message>
    <message id="history_7_days">
        <source>7 Days</source>
        <translation>7 Days</translation>
    </message>
    <message id="history_30_days">
        <source>30 Days</source>
        <translation>30 Days</translation>
    </message>
    <message id="history_all">
        <source>All</source>
        <translation>All</translation>
    </message>
    <message id="history_export">
        <source>Export…</source>
        <translation>Export…</translation>
    </message>
    <message id="history_export_tip">
        <source>Save the entries shown as one JSON file</source>
        <translation>Save the entries shown as one JSON file</translation>
    </message>
    <message id="history_export_title">
        <source>Export Kill Log Entries Shown</source>
        <translation>Export Kill Log Entries Shown</translation>
    </message>
    <message id="history_entries">
        <source>Kill log entries</source>
        <translation>Kill log entries</translation>
    </message>
    <message id="history_totals">
        <source>Totals per process</source>
        <translation>Totals per process</translation>
    </message>
    <message id="history_chart">
        <source>Attempts per day</source>
        <translation>Attempts per day</translation>
    </message>
    <message id="history_chart_none">
        <source>No attempts in this range</source>
        <translation>No attempts in this range</translation>
    </message>
    <message id="history_chart_summary" numerus="yes">
        <source>%n attempts from %1$s to %2$s.</source>
        <translation>
            <numerusform>%n attempt from %1$s to %2$s.</numerusform>
            <numerusform>%n attempts from %1$s to %2$s.</numerusform>
        </translation>
    </message>
    <message id="history_chart_peak" numerus="yes">
        <source>Most on %s: %n.</source>
        <translation>
            <numerusform>Most on %s: %n.</numerusform>
            <numerusform>Most on %s: %n.</numerusform>
        </translation>
    </message>
    <message id="history_day_attempts" numerus="yes">
        <source>%s: %n attempts</source>
        <translation>
            <numerusform>%s: %n attempt</numerusform>
            <numerusform>%s: %n attempts</numerusform>
        </translation>
    </message>
    <message id="history_count" numerus="yes">
        <source>%n attempts</source>
        <translation>
            <numerusform>%n attempt</numerusform>
            <numerusform>%n attempts</numerusform>
        </translation>
    </message>
    <message id="history_time">
        <source>Date and Time</source>
        <translation>Date and Time</translation>
    </message>
    <message id="history_outcome">
        <source>Outcome</source>
        <translation>Outcome</translation>
    </message>
    <message id="history_process">
        <source>Process</source>
        <translation>Process</translation>
    </message>
    <message id="history_pid">
        <source>PID</source>
        <translation>PID</translation>
    </message>
    <message id="history_memory">
        <source>Memory</source>
        <translation>Memory</translation>
    </message>
    <message id="history_message">
        <source>Message</source>
        <translation>Message</translation>
    </message>
    <message id="history_attempts">
        <source>Attempts</source>
        <translation>Attempts</translation>
    </message>
    <message id="history_ended">
        <source>Ended</source>
        <translation>Ended</translation>
    </message>
    <message id="history_failed">
        <source>Failed</source>
        <translation>Failed</translation>
    </message>
    <message id="history_last_seen">
        <source>Last Seen</source>
        <translation>Last Seen</translation>
    </message>
    <message id="history_reading" numerus="yes">
        <source>Reading day files… %n entries so far</source>
        <translation>
            <numerusform>Reading day files… %n entry so far</numerusform>
            <numerusform>Reading day files… %n entries so far</numerusform>
        </translation>
    </message>
    <message id="history_shown" numerus="yes">
        <source>%n entries shown</source>
        <translation>
            <numerusform>%n entry shown</numerusform>
            <numerusform>%n entries shown</numerusform>
        </translation>
    </message>
    <message id="history_files" numerus="yes">
        <source>%n day files</source>
        <translation>
            <numerusform>%n day file</numerusform>
            <numerusform>%n day files</numerusform>
        </translation>
    </message>
    <message id="history_damaged" numerus="yes">
        <source>Could not read %n day files, left as they are: %s</source>
        <translation>
            <numerusform>Could not read %n day file, left as it is: %s</numerusform>
            <numerusform>Could not read %n day files, left as they are: %s</numerusform>
        </translation>
    </message>
    <message id="history_link">
        <source>Show earlier entries in Kill History</source>
        <translation>Show earlier entries in Kill History</translation>
    </message>
    <message id="history_tables">
        <source>Entries and totals</source>
        <translation>Entries and totals</translation>
    </message>
    <message id="start_at_launch">
        <source>Start Monitoring at Launch</source>
        <translation>Start Monitoring at Launch</translation>
    </message>
    <message id="notify_when_ended">
        <source>Notify When Processes Are Ended</source>
        <translation>Notify When Processes Are Ended</translation>
    </message>
    <message id="notify_ended" numerus="yes">
        <source>Ended %n processes</source>
        <translation>
            <numerusform>Ended %n process</numerusform>
            <numerusform>Ended %n processes</numerusform>
        </translation>
    </message>
    <message id="notify_show_history">
        <source>Show Kill History</source>
        <translation>Show Kill History</translation>
    </message>
</context>
</TS>
