-- The usage counter behind the statistics endpoint /hezi/tongji.php, and the
-- account of the site server, "tongji", which may read and update that one
-- row and nothing else. The count is kept when the schema is loaded again.
-- The password is that of the demo; a deployment sets its own here and gives
-- it to qimubox-site with --db-password.

USE tool;

CREATE TABLE IF NOT EXISTS usage_counter (
  id TINYINT UNSIGNED NOT NULL PRIMARY KEY COMMENT 'always 1',
  n  BIGINT UNSIGNED  NOT NULL DEFAULT 0   COMMENT 'uses reported so far'
) ENGINE=InnoDB;
INSERT IGNORE INTO usage_counter (id, n) VALUES (1, 0);

-- The server connects over TCP to 127.0.0.1; with host names resolved the
-- same connection is seen as coming from localhost.
CREATE USER IF NOT EXISTS 'tongji'@'127.0.0.1' IDENTIFIED BY 'Tj5usageCount8087';
ALTER USER 'tongji'@'127.0.0.1' IDENTIFIED BY 'Tj5usageCount8087';
REVOKE ALL PRIVILEGES, GRANT OPTION FROM 'tongji'@'127.0.0.1';
GRANT SELECT, UPDATE ON tool.usage_counter TO 'tongji'@'127.0.0.1';
CREATE USER IF NOT EXISTS 'tongji'@'localhost' IDENTIFIED BY 'Tj5usageCount8087';
ALTER USER 'tongji'@'localhost' IDENTIFIED BY 'Tj5usageCount8087';
REVOKE ALL PRIVILEGES, GRANT OPTION FROM 'tongji'@'localhost';
GRANT SELECT, UPDATE ON tool.usage_counter TO 'tongji'@'localhost';
FLUSH PRIVILEGES;
