<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja" sourcelanguage="en">
<context>
    <name></name>
    <message id="menu_about">
        <source>About Zentrav</source>
        <translation>Zentrav について</translation>
    </message>
    <message id="menu_hide">
        <source>Hide Zentrav</source>
        <translation>Zentrav を隠す</translation>
    </message>
    <message id="menu_hide_others">
        <source>Hide Others</source>
        <translation>ほかを隠す</translation>
    </message>
    <message id="menu_show_all">
        <source>Show All</source>
        <translation>すべてを表示</translation>
    </message>
    <message id="menu_quit">
        <source>Quit Zentrav</source>
        <translation>Zentrav を終了</translation>
    </message>
    <message id="menu_edit">
        <source>Edit</source>
        <translation>編集</translation>
    </message>
    <message id="menu_cut">
        <source>Cut</source>
        <translation>カット</translation>
    </message>
    <message id="menu_copy">
        <source>Copy</source>
        <translation>コピー</translation>
    </message>
    <message id="menu_paste">
        <source>Paste</source>
        <translation>貼り付け</translation>
    </message>
    <message id="menu_select_all">
        <source>Select All</source>
        <translation>すべてを選択</translation>
    </message>
    <message id="menu_window">
        <source>Window</source>
        <translation>ウィンドウ</translation>
    </message>
    <message id="menu_minimize">
        <source>Minimize</source>
        <translation>最小化</translation>
    </message>
    <message id="menu_close">
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message id="version_format">
        <source>Version %s (%s)</source>
        <translation>バージョン %s (%s)</translation>
    </message>
    <message id="copyright">
        <source>Copyright © 2026 Zentrav. All rights reserved.</source>
        <translation>Copyright © 2026 Zentrav. All rights reserved.</translation>
    </message>
    <message id="stopped">
        <source>Stopped</source>
        <translation>停止中</translation>
    </message>
    <message id="monitoring_count" numerus="yes">
        <source>Monitoring %n entries</source>
        <translation>
            <numerusform>%n 件を監視中</numerusform>
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
        <translation>スキャン間隔</translation>
    </message>
    <message id="clean_memory">
        <source>Clean Memory</source>
        <translation>メモリを解放</translation>
    </message>
    <message id="targets_tab">
        <source>Watch List</source>
        <translation>監視リスト</translation>
    </message>
    <message id="browse_all_tab">
        <source>All Processes</source>
        <translation>すべてのプロセス</translation>
    </message>
    <message id="input_placeholder">
        <source>Process name to watch</source>
        <translation>監視するプロセス名</translation>
    </message>
    <message id="search_placeholder">
        <source>Search processes</source>
        <translation>プロセスを検索</translation>
    </message>
    <message id="add_button">
        <source>Add</source>
        <translation>追加</translation>
    </message>
    <message id="no_processes_added">
        <source>No processes added yet</source>
        <translation>まだプロセスが追加されていません</translation>
    </message>
    <message id="process_count" numerus="yes">
        <source>%n processes</source>
        <translation>
            <numerusform>%n 個のプロセス</numerusform>
        </translation>
    </message>
    <message id="kill_log">
        <source>Kill Log</source>
        <translation>終了ログ</translation>
    </message>
    <message id="no_kills_yet">
        <source>No processes terminated yet</source>
        <translation>まだ終了したプロセスはありません</translation>
    </message>
    <message id="export_log">
        <source>Export Logs</source>
        <translation>ログを書き出す</translation>
    </message>
    <message id="clear_log">
        <source>Clear Logs</source>
        <translation>ログを消去</translation>
    </message>
    <message id="launch_at_login">
        <source>Launch at Login</source>
        <translation>ログイン時に起動</translation>
    </message>
    <message id="export_targets">
        <source>Export Watch List…</source>
        <translation>監視リストを書き出す…</translation>
    </message>
    <message id="import_targets">
        <source>Import Watch List…</source>
        <translation>監視リストを読み込む…</translation>
    </message>
    <message id="export_all_title">
        <source>Export All Logs</source>
        <translation>すべてのログを書き出す</translation>
    </message>
    <message id="msg_killed">
        <source>Terminated</source>
        <translation>終了しました</translation>
    </message>
    <message id="msg_force_killed">
        <source>Force killed</source>
        <translation>強制終了しました</translation>
    </message>
    <message id="msg_already_exited">
        <source>Already exited</source>
        <translation>すでに終了していました</translation>
    </message>
    <message id="msg_no_permission">
        <source>No permission</source>
        <translation>権限がありません</translation>
    </message>
    <message id="msg_failed">
        <source>Failed (error %d)</source>
        <translation>失敗しました（エラー %d）</translation>
    </message>
    <message id="settings_button">
        <source>Settings</source>
        <translation>設定</translation>
    </message>
    <message id="a11y_enabled">
        <source>Enabled: %s</source>
        <translation>有効: %s</translation>
    </message>
    <message id="a11y_remove">
        <source>Remove %s</source>
        <translation>%s を削除</translation>
    </message>
    <message id="a11y_watch">
        <source>Watch %s</source>
        <translation>%s を監視</translation>
    </message>
    <message id="a11y_watched">
        <source>%s is on the watch list</source>
        <translation>%s は監視リストにあります</translation>
    </message>
    <message id="a11y_fuzzy">
        <source>Fuzzy match</source>
        <translation>あいまい一致</translation>
    </message>
    <message id="a11y_exact">
        <source>Exact match</source>
        <translation>完全一致</translation>
    </message>
    <message id="tip_fuzzy">
        <source>Matches every process whose name contains this text, ignoring case</source>
        <translation>名前にこの文字列を含むすべてのプロセスに一致します（大文字と小文字は区別しません）</translation>
    </message>
    <message id="tip_exact">
        <source>Matches only a process with exactly this name</source>
        <translation>この名前とまったく同じ名前のプロセスだけに一致します</translation>
    </message>
    <message id="a11y_origin_system">
        <source>System process</source>
        <translation>システムのプロセス</translation>
    </message>
    <message id="a11y_origin_own">
        <source>Your process</source>
        <translation>あなたのプロセス</translation>
    </message>
    <message id="a11y_origin_unknown">
        <source>Unknown origin</source>
        <translation>由来不明</translation>
    </message>
    <message id="tip_origin_system">
        <source>SYS: runs as another user, such as root</source>
        <translation>SYS: root など別のユーザーとして動作しています</translation>
    </message>
    <message id="tip_origin_own">
        <source>3RD: runs as you</source>
        <translation>3RD: あなたのユーザーとして動作しています</translation>
    </message>
    <message id="a11y_filter_all">
        <source>Show all processes</source>
        <translation>すべてのプロセスを表示</translation>
    </message>
    <message id="a11y_filter_system">
        <source>Show system processes</source>
        <translation>システムのプロセスを表示</translation>
    </message>
    <message id="a11y_filter_own">
        <source>Show your processes</source>
        <translation>あなたのプロセスを表示</translation>
    </message>
    <message id="a11y_status_on">
        <source>Monitoring is on</source>
        <translation>監視しています</translation>
    </message>
    <message id="a11y_status_off">
        <source>Monitoring is off</source>
        <translation>監視していません</translation>
    </message>
    <message id="a11y_self_memory">
        <source>Memory used by Zentrav: %s</source>
        <translation>Zentrav のメモリ使用量: %s</translation>
    </message>
    <message id="tip_self_memory">
        <source>Memory Zentrav itself is using</source>
        <translation>Zentrav 自身が使っているメモリ</translation>
    </message>
    <message id="tip_clean_memory">
        <source>Saves the kill log to disk and gives memory Zentrav no longer needs back to the system</source>
        <translation>終了ログをディスクに保存し、Zentrav が使わなくなったメモリをシステムに返します</translation>
    </message>
    <message id="a11y_memory">
        <source>Memory: %s</source>
        <translation>メモリ: %s</translation>
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
            <numerusform>%n 秒ごと</numerusform>
        </translation>
    </message>
    <message id="a11y_split">
        <source>Lists and kill log</source>
        <translation>リストと終了ログ</translation>
    </message>
    <message id="a11y_menu_bar">
        <source>Main menu</source>
        <translation>メインメニュー</translation>
    </message>
    <message id="preview_matches" numerus="yes">
        <source>Matches %n running processes: %s</source>
        <translation>
            <numerusform>実行中の %n 個のプロセスに一致: %s</numerusform>
        </translation>
    </message>
    <message id="preview_no_match">
        <source>Matches no running process</source>
        <translation>実行中のプロセスには一致しません</translation>
    </message>
    <message id="preview_left_alone" numerus="yes">
        <source>(%n session processes left alone)</source>
        <translation>
            <numerusform>（セッションのプロセス %n 個はそのまま）</numerusform>
        </translation>
    </message>
    <message id="tip_session_process">
        <source>Part of your session: Zentrav leaves it alone</source>
        <translation>セッションの一部です。Zentrav は終了しません</translation>
    </message>
    <message id="notice_targets_exported" numerus="yes">
        <source>Exported %n entries to %s</source>
        <translation>
            <numerusform>%n 件を %s に書き出しました</numerusform>
        </translation>
    </message>
    <message id="notice_logs_exported" numerus="yes">
        <source>Exported %n kill-log entries to %s</source>
        <translation>
            <numerusform>%n 件のログを %s に書き出しました</numerusform>
        </translation>
    </message>
    <message id="notice_watch_list_empty">
        <source>The watch list is empty: nothing to export</source>
        <translation>監視リストが空のため、書き出すものがありません</translation>
    </message>
    <message id="notice_kill_log_empty">
        <source>The kill log is empty: nothing to export</source>
        <translation>ログが空のため、書き出すものがありません</translation>
    </message>
    <message id="notice_export_failed">
        <source>Could not export to %1$s: %2$s</source>
        <translation>%1$s に書き出せませんでした: %2$s</translation>
    </message>
    <message id="notice_imported" numerus="yes">
        <source>Imported %n entries</source>
        <translation>
            <numerusform>%n 件を読み込みました</numerusform>
        </translation>
    </message>
    <message id="notice_also_listed" numerus="yes">
        <source>; %n were already listed</source>
        <translation>
            <numerusform>（%n 件は登録済み）</numerusform>
        </translation>
    </message>
    <message id="notice_all_listed" numerus="yes">
        <source>Nothing imported: all %n entries were already listed</source>
        <translation>
            <numerusform>読み込む項目はありません（%n 件すべて登録済み）</numerusform>
        </translation>
    </message>
    <message id="notice_import_empty">
        <source>Nothing imported: %s lists no entries</source>
        <translation>読み込む項目はありません: %s に項目がありません</translation>
    </message>
    <message id="notice_import_unreadable">
        <source>Nothing imported: %s could not be read</source>
        <translation>読み込めませんでした: %s を開けません</translation>
    </message>
    <message id="notice_import_invalid">
        <source>Nothing imported: %s is not a Zentrav watch list</source>
        <translation>読み込めませんでした: %s は Zentrav の監視リストではありません</translation>
    </message>
    <message id="notice_settings_not_saved">
        <source>The watch list could not be saved; Zentrav keeps trying</source>
        <translation>監視リストを保存できませんでした。Zentrav が再試行します</translation>
    </message>
    <message id="notice_day_file_refused">
        <source>Could not write %1$s; its entries go to %2$s</source>
        <translation>%1$s に書き込めないため、%2$s に記録します</translation>
    </message>
    <message id="notice_log_not_saved" numerus="yes">
        <source>%n kill-log entries could not be saved; Zentrav keeps trying</source>
        <translation>
            <numerusform>%n 件のログを保存できませんでした。Zentrav が再試行します</numerusform>
        </translation>
    </message>
    <message id="notice_logs_trashed" numerus="yes">
        <source>Moved %n day files to the trash</source>
        <translation>
            <numerusform>%n 個の日別ログファイルをゴミ箱に移動しました</numerusform>
        </translation>
    </message>
    <message id="notice_also_deleted" numerus="yes">
        <source>; %n deleted, as they could not go to the trash</source>
        <translation>
            <numerusform>（ゴミ箱に移せなかった %n 個は削除）</numerusform>
        </translation>
    </message>
    <message id="notice_logs_deleted" numerus="yes">
        <source>Deleted %n day files (there is no trash here)</source>
        <translation>
            <numerusform>%n 個の日別ログファイルを削除しました（ゴミ箱がありません）</numerusform>
        </translation>
    </message>
    <message id="notice_logs_none">
        <source>There are no saved kill-log entries to clear</source>
        <translation>消去する保存済みのログはありません</translation>
    </message>
    <message id="notice_logs_restored" numerus="yes">
        <source>Restored %n day files</source>
        <translation>
            <numerusform>%n 個の日別ログファイルを元に戻しました</numerusform>
        </translation>
    </message>
    <message id="notice_not_restored" numerus="yes">
        <source>; %n could not be restored</source>
        <translation>
            <numerusform>（%n 個は元に戻せませんでした）</numerusform>
        </translation>
    </message>
    <message id="notice_undo">
        <source>Undo</source>
        <translation>元に戻す</translation>
    </message>
    <message id="a11y_dismiss">
        <source>Dismiss</source>
        <translation>閉じる</translation>
    </message>
    <message id="kill_log_saved">
        <source>Earlier entries are saved in the day files</source>
        <translation>これまでの記録は日別ファイルに保存されています</translation>
    </message>
    <message id="kill_log_unsaved" numerus="yes">
        <source>%n earlier entries are not saved yet; Zentrav keeps trying</source>
        <translation>
            <numerusform>これまでの記録 %n 件がまだ保存されていません。Zentrav が再試行します</numerusform>
        </translation>
    </message>
    <message id="menu_kill_history">
        <source>Kill History…</source>
        <translation>終了履歴…</translation>
    </message>
    <message id="history_title">
        <source>Kill History</source>
        <translation>終了履歴</translation>
    </message>
    <message id="history_search">
        <source>Search by process name</source>
        <translation>プロセス名で検索</translation>
    </message>
    <message id="history_today">
        <source>Today</source>
        <translation>今日</translation>
    </message>
    <message id="history_7_days">
        <source>7 Days</source>
        <translation>7 日間</translation>
    </message>
    <message id="history_30_days">
        <source>30 Days</source>
        <translation>30 日間</translation>
    </message>
    <message id="history_all">
        <source>All</source>
        <translation>すべて</translation>
    </message>
    <message id="history_export">
        <source>Export…</source>
        <translation>書き出す…</translation>
    </message>
    <message id="history_export_tip">
        <source>Save the entries shown as one JSON file</source>
        <translation>表示中のエントリを 1 つの JSON ファイルに保存します</translation>
    </message>
    <message id="history_export_title">
        <source>Export Kill Log Entries Shown</source>
        <translation>表示中の終了ログを書き出す</translation>
    </message>
    <message id="history_entries">
        <source>Kill log entries</source>
        <translation>終了ログのエントリ</translation>
    </message>
    <message id="history_totals">
        <source>Totals per process</source>
        <translation>プロセスごとの合計</translation>
    </message>
    <message id="history_chart">
        <source>Attempts per day</source>
        <translation>1 日あたりの試行</translation>
    </message>
    <message id="history_chart_none">
        <source>No attempts in this range</source>
        <translation>この期間に試行はありません</translation>
    </message>
    <message id="history_chart_summary" numerus="yes">
        <source>%n attempts from %1$s to %2$s.</source>
        <translation>
            <numerusform>%1$s から %2$s までに %n 回試行。</numerusform>
        </translation>
    </message>
    <message id="history_chart_peak" numerus="yes">
        <source>Most on %s: %n.</source>
        <translation>
            <numerusform>最多は %s の %n 回。</numerusform>
        </translation>
    </message>
    <message id="history_day_attempts" numerus="yes">
        <source>%s: %n attempts</source>
        <translation>
            <numerusform>%s: %n 回</numerusform>
        </translation>
    </message>
    <message id="history_count" numerus="yes">
        <source>%n attempts</source>
        <translation>
            <numerusform>%n 回</numerusform>
        </translation>
    </message>
    <message id="history_time">
        <source>Date and Time</source>
        <translation>日時</translation>
    </message>
    <message id="history_outcome">
        <source>Outcome</source>
        <translation>結果</translation>
    </message>
    <message id="history_process">
        <source>Process</source>
        <translation>プロセス</translation>
    </message>
    <message id="history_pid">
        <source>PID</source>
        <translation>PID</translation>
    </message>
    <message id="history_memory">
        <source>Memory</source>
        <translation>メモリ</translation>
    </message>
    <message id="history_message">
        <source>Message</source>
        <translation>メッセージ</translation>
    </message>
    <message id="history_attempts">
        <source>Attempts</source>
        <translation>試行</translation>
    </message>
    <message id="history_ended">
        <source>Ended</source>
        <translation>終了</translation>
    </message>
    <message id="history_failed">
        <source>Failed</source>
        <translation>失敗</translation>
    </message>
    <message id="history_last_seen">
        <source>Last Seen</source>
        <translation>最終</translation>
    </message>
    <message id="history_reading" numerus="yes">
        <source>Reading day files… %n entries so far</source>
        <translation>
            <numerusform>日ごとのファイルを読み込み中… これまでに %n 件</numerusform>
        </translation>
    </message>
    <message id="history_shown" numerus="yes">
        <source>%n entries shown</source>
        <translation>
            <numerusform>%n 件を表示</numerusform>
        </translation>
    </message>
    <message id="history_files" numerus="yes">
        <source>%n day files</source>
        <translation>
            <numerusform>日ごとのファイル %n 個</numerusform>
        </translation>
    </message>
    <message id="history_damaged" numerus="yes">
        <source>Could not read %n day files, left as they are: %s</source>
        <translation>
            <numerusform>%n 個の日ごとのファイルを読み込めませんでした (変更していません): %s</numerusform>
        </translation>
    </message>
    <message id="history_link">
        <source>Show earlier entries in Kill History</source>
        <translation>以前のエントリを終了履歴で表示</translation>
    </message>
    <message id="history_tables">
        <source>Entries and totals</source>
        <translation>エントリと合計</translation>
    </message>
    <message id="start_at_launch">
        <source>Start Monitoring at Launch</source>
        <translation>起動時に監視を開始</translation>
    </message>
    <message id="notify_when_ended">
        <source>Notify When Processes Are Ended</source>
        <translation>プロセスの終了を通知</translation>
    </message>
    <message id="notify_ended" numerus="yes">
        <source>Ended %n processes</source>
        <translation>
            <numerusform>%n 個のプロセスを終了しました</numerusform>
        </translation>
    </message>
    <message id="notify_show_history">
        <source>Show Kill History</source>
        <translation>終了履歴を表示</translation>
    </message>
</context>
</TS>
