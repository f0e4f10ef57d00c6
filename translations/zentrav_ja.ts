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
    <message id="monitoring_count">
        <source>Monitoring %d</source>
        <translation>%d 件を監視中</translation>
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
    <message id="process_count">
        <source>%d processes</source>
        <translation>%d 個のプロセス</translation>
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
</context>
</TS>
